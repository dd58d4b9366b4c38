#include "ControlArgs.h"

#include <algorithm>
#include <charconv>

#include "RecorderFunctions.h"
#include "RecorderState.h"
#include "StateCodec.h"

namespace {

using Kind = ControlCommand::Kind;

struct Verb {
    const char* name;
    Kind kind;
    size_t minArgs;
    size_t maxArgs;
};

constexpr Verb kVerbs[] = {
    {"help", Kind::Help, 0, 0},     {"attach", Kind::Attach, 0, 0},
    {"detach", Kind::Detach, 0, 0}, {"status", Kind::Status, 0, 0},
    {"set", Kind::Set, 2, 2},       {"fail", Kind::Fail, 1, 2},
    {"delay", Kind::Delay, 2, 2},   {"journal", Kind::Journal, 0, 0},
    {"reset", Kind::Reset, 0, 0},
};

template <typename T>
bool ParseNumber(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseFailMode(const std::string& mode, int64_t& count, std::string& error) {
    if (mode == "once") {
        count = 1;
    } else if (mode == "always") {
        count = RecorderState::kFailAlways;
    } else if (mode == "clear") {
        count = 0;
    } else if (!ParseNumber(mode, count) || count < 1 || count > ControlArgs::kMaxFailCount) {
        error = "fail: expected once, always, clear or a count from 1 to " +
                std::to_string(ControlArgs::kMaxFailCount) + ", not '" + mode + "'";
        return false;
    }
    return true;
}

bool CheckFunction(const std::string& name, std::string& error) {
    if (recorder::FindFunction(name)) return true;
    error = "unknown function '" + name + "' (see 'velmora-recorder help')";
    return false;
}

bool ParseVerbArgs(const std::vector<std::string>& rest, ControlCommand& command,
                   std::string& error) {
    switch (command.kind) {
    case Kind::Set: {
        const auto fields = StateCodec::SettableFields();
        if (std::find(fields.begin(), fields.end(), rest[0]) == fields.end()) {
            error = "set: unknown field '" + rest[0] + "' (see 'velmora-recorder help')";
            return false;
        }
        command.field = rest[0];
        command.value = rest[1];
        return true;
    }
    case Kind::Fail:
        command.function = rest[0];
        return CheckFunction(rest[0], error) &&
               ParseFailMode(rest.size() > 1 ? rest[1] : "once", command.failCount, error);
    case Kind::Delay:
        command.function = rest[0];
        if (!CheckFunction(rest[0], error)) return false;
        if (!ParseNumber(rest[1], command.delayMs) || command.delayMs > ControlArgs::kMaxDelayMs) {
            error = "delay: expected milliseconds from 0 to " +
                    std::to_string(ControlArgs::kMaxDelayMs) + ", not '" + rest[1] + "'";
            return false;
        }
        return true;
    default:
        return true;
    }
}

}  // namespace

bool ControlArgs::Parse(const std::vector<std::string>& args, ControlCommand& command,
                        std::string& error) {
    if (args.empty()) {
        error = "no command given";
        return false;
    }
    const std::string& word = args[0];
    if (word == "-h" || word == "--help") {
        command = {};
        return true;
    }
    const auto verb = std::find_if(std::begin(kVerbs), std::end(kVerbs),
                                   [&](const Verb& v) { return word == v.name; });
    if (verb == std::end(kVerbs)) {
        error = "unknown command '" + word + "'";
        return false;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (rest.size() < verb->minArgs || rest.size() > verb->maxArgs) {
        error = std::string(verb->name) + ": wrong number of arguments";
        return false;
    }
    command = {};
    command.kind = verb->kind;
    return ParseVerbArgs(rest, command, error);
}

std::string ControlArgs::Usage() {
    std::string fields;
    for (const std::string& name : StateCodec::SettableFields()) fields += " " + name;
    return "Usage: velmora-recorder <command>\n"
           "Controls the virtual recorder whose memory lives in $VELMORA_RECORDER_DIR\n"
           "(else $XDG_STATE_HOME/velmora-recorder, else ~/.local/state/velmora-recorder).\n"
           "\n"
           "Commands:\n"
           "  attach                      plug the recorder in\n"
           "  detach                      pull it out (voids every open session)\n"
           "  status                      show all of its memory\n"
           "  set <field> <value>         store a raw value, in range or not\n"
           "  fail <function> [once|N|always|clear]\n"
           "                              make the next call(s) of a function answer false\n"
           "  delay <function> <ms>       make a function answer after ms (0: at once)\n"
           "  journal                     print the call journal\n"
           "  reset                       factory memory, no faults or delays, empty journal\n"
           "  help                        this text\n"
           "\n"
           "Fields:" + fields + "\n"
           "  clock takes six numbers \"year month day hour minute second\" (frozen there)\n"
           "  or \"none\" (running again at clock_offset seconds from the PC's local time).\n"
           "Functions: the protocol's function names, e.g. Login, get_id, set_Resolution.\n"
           "Exit status: 0 done, 1 the state folder could not be used, 2 bad arguments.\n";
}
