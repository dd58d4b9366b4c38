#pragma once

#include <ostream>

#include "ControlArgs.h"

// Carries out one control-tool command on the recorder of the current state
// folder. Returns the exit status.
class RecorderControl {
public:
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kBadArgs = 2;

    static int Run(const ControlCommand& command, std::ostream& out, std::ostream& err);
    // The whole tool: parses the words, then runs them.
    static int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};
