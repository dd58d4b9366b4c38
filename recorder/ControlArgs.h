#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One command of the velmora-recorder control tool.
struct ControlCommand {
    enum class Kind { Help, Attach, Detach, Status, Set, Fail, Delay, Journal, Reset };

    Kind kind = Kind::Help;
    std::string field;     // set
    std::string value;     // set
    std::string function;  // fail, delay
    int64_t failCount = 0; // fail: calls to fail, RecorderState::kFailAlways, 0 to clear
    uint32_t delayMs = 0;  // delay: 0 clears
};

// The control tool's command line, without the program name.
class ControlArgs {
public:
    static constexpr uint32_t kMaxDelayMs = 600000;
    static constexpr int64_t kMaxFailCount = 1000000000;

    // false with a message naming what is wrong when the words are not a command.
    static bool Parse(const std::vector<std::string>& args, ControlCommand& command,
                      std::string& error);
    static std::string Usage();
};
