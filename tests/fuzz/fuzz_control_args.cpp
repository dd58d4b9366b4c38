// velmora-recorder's argument parsing over arbitrary words (split at NUL bytes).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ControlArgs.h"
#include "StateCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    ControlCommand command;
    std::string error;
    if (!ControlArgs::Parse(args, command, error)) return 0;
    if (command.delayMs > ControlArgs::kMaxDelayMs) __builtin_trap();
    if (command.kind == ControlCommand::Kind::Set) {
        // A parsed set applies to a fresh memory without harm.
        RecorderState state;
        StateCodec::SetField(state, command.field, command.value, false, &error);
    }
    return 0;
}
