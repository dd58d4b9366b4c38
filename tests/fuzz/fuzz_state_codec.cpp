// The recorder's state file reader over arbitrary bytes: whatever it reads
// must write out and read back to the same memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "StateCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const RecorderState state = StateCodec::Parse(text);
    StateCodec::Describe(state);
    if (!(StateCodec::Parse(StateCodec::Serialise(state)) == state)) __builtin_trap();
    return 0;
}
