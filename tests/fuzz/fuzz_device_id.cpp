// The ID text scan and the device-text conversion over arbitrary recorder
// answers, read through the same 50-byte view the wrappers use.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "DeviceCalls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data),
                                  size < kDeviceBufferBytes ? size : kDeviceBufferBytes);
    const DeviceIdParts parts = ScanIdText(answer);
    if (parts.device.size() > 5 || parts.officer.size() > 6) __builtin_trap();
    FromDeviceText(parts.device);
    FromDeviceText(parts.officer);
    FromDeviceText(answer);
    // Longer inputs: the conversion alone, stopping at a NUL.
    FromDeviceText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
