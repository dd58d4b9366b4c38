#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "RecorderState.h"

// Reads and writes the recorder's state file: one "name=value" line per memory
// field, values escaped (see TextEscape.h). Reading never fails: lines that do
// not parse are skipped and their fields keep their defaults.
class StateCodec {
public:
    static constexpr size_t kMaxFileBytes = 1 << 20;
    static constexpr size_t kMaxTextBytes = 4096;

    static RecorderState Parse(std::string_view text);
    static std::string Serialise(const RecorderState& state);

    // Sets one field from its text form. The control tool may set every memory
    // field, whatever its value, except the attach bookkeeping (fromFile false).
    static bool SetField(RecorderState& state, std::string_view name, std::string_view value,
                         bool fromFile, std::string* error);

    // Names of the fields the control tool may set, in file order.
    static std::vector<std::string> SettableFields();
    // Every field as shown to people: name and value, the password masked.
    static std::vector<std::pair<std::string, std::string>> Describe(const RecorderState& state);

    static constexpr const char* kMask = "******";
};
