#include "StateCodec.h"

#include <charconv>
#include <cstdio>
#include <functional>

#include "RecorderFunctions.h"
#include "TextEscape.h"

namespace {

using Getter = std::function<std::string(const RecorderState&)>;
using Setter = std::function<bool(RecorderState&, std::string_view, std::string*)>;

struct Field {
    std::string name;
    bool fileOnly;
    bool secret;
    Getter get;
    Setter set;
};

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

// Stored raw as the recorder would hold it: a negative number keeps its bits.
bool ParseRawUint32(std::string_view text, uint32_t& out) {
    int64_t wide = 0;
    if (!ParseNumber(text, wide) || wide < INT32_MIN || wide > UINT32_MAX) return false;
    out = static_cast<uint32_t>(wide);
    return true;
}

Field TextField(const char* name, std::string RecorderState::*member, bool secret) {
    return {name, false, secret, [member](const RecorderState& s) { return s.*member; },
            [member](RecorderState& s, std::string_view v, std::string* error) {
                if (v.size() > StateCodec::kMaxTextBytes) return Fail(error, "text too long");
                s.*member = std::string(v);
                return true;
            }};
}

template <typename T>
Field NumberField(const char* name, T RecorderState::*member, bool fileOnly) {
    return {name, fileOnly, false,
            [member](const RecorderState& s) { return std::to_string(s.*member); },
            [member](RecorderState& s, std::string_view v, std::string* error) {
                T value{};
                if (!ParseNumber(v, value)) return Fail(error, "not a number: " + std::string(v));
                s.*member = value;
                return true;
            }};
}

// ref is a generic accessor, [](auto& s) -> auto& { ... }, so that the same
// lambda serves the const reader and the writer.
template <typename Ref>
Field FlagField(std::string name, Ref ref, bool fileOnly) {
    return {std::move(name), fileOnly, false,
            [ref](const RecorderState& s) { return std::string(ref(s) ? "1" : "0"); },
            [ref](RecorderState& s, std::string_view v, std::string* error) {
                if (v != "0" && v != "1") return Fail(error, "expected 0 or 1");
                ref(s) = v == "1";
                return true;
            }};
}

template <typename Ref>
Field RawField(std::string name, Ref ref) {
    return {std::move(name), false, false,
            [ref](const RecorderState& s) { return std::to_string(ref(s)); },
            [ref](RecorderState& s, std::string_view v, std::string* error) {
                if (!ParseRawUint32(v, ref(s))) {
                    return Fail(error, "not a 32-bit number: " + std::string(v));
                }
                return true;
            }};
}

std::string ClockText(const RecorderState& s) {
    if (!s.clockRaw) return "none";
    const auto& c = *s.clockRaw;
    return std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + " " +
           std::to_string(c[3]) + " " + std::to_string(c[4]) + " " + std::to_string(c[5]);
}

bool SetClock(RecorderState& s, std::string_view v, std::string* error) {
    if (v == "none") {
        s.clockRaw.reset();
        return true;
    }
    RecorderState::Clock clock{};
    size_t part = 0;
    while (!v.empty()) {
        const size_t space = v.find(' ');
        const std::string_view word = v.substr(0, space);
        v = space == std::string_view::npos ? std::string_view() : v.substr(space + 1);
        if (word.empty()) continue;
        if (part == clock.size() || !ParseNumber(word, clock[part])) break;
        ++part;
        if (part == clock.size() && v.empty()) {
            s.clockRaw = clock;
            return true;
        }
    }
    return Fail(error, "expected \"none\" or six numbers: year month day hour minute second");
}

std::vector<Field> BuildFields() {
    std::vector<Field> fields = {
        FlagField("attached", [](auto& s) -> auto& { return s.attached; }, true),
        NumberField("generation", &RecorderState::generation, true),
        NumberField("event_seq", &RecorderState::eventSeq, true),
        TextField("password", &RecorderState::password, true),
        TextField("id_text", &RecorderState::idText, false),
        TextField("firmware_version", &RecorderState::firmwareVersion, false),
        NumberField("clock_offset", &RecorderState::clockOffset, false),
        {"clock", false, false, ClockText, SetClock},
    };
    for (int row = 0; row < param::RowCount; ++row) {
        if (!param::kRanges[row].onRecorder) continue;
        fields.push_back(RawField(param::kRanges[row].name,
                                  [row](auto& s) -> auto& { return s.params[row]; }));
    }
    fields.push_back(RawField("timezone", [](auto& s) -> auto& { return s.timezone; }));
    for (int row = 0; row < param::RowCount; ++row) {
        if (!recorder::CanBeUnsupported(row)) continue;
        fields.push_back(FlagField(
            std::string(param::kRanges[row].name) + "_supported",
            [row](auto& s) -> auto& { return s.supported[row]; }, false));
    }
    return fields;
}

const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = BuildFields();
    return fields;
}

constexpr std::string_view kFailPrefix = "fail.";
constexpr std::string_view kDelayPrefix = "delay.";

// Fault and delay lines of the file: "fail.<function>=<count>", "delay.<function>=<ms>".
bool SetControl(RecorderState& s, std::string_view name, std::string_view value) {
    const bool isFail = name.starts_with(kFailPrefix);
    const std::string_view function = name.substr(isFail ? kFailPrefix.size() : kDelayPrefix.size());
    if (!recorder::FindFunction(function)) return false;
    if (isFail) {
        int64_t count = 0;
        if (!ParseNumber(value, count) || (count < 1 && count != RecorderState::kFailAlways)) {
            return false;
        }
        s.faults[std::string(function)] = count;
    } else {
        uint32_t ms = 0;
        if (!ParseNumber(value, ms) || ms == 0) return false;
        s.delays[std::string(function)] = ms;
    }
    return true;
}

}  // namespace

bool StateCodec::SetField(RecorderState& state, std::string_view name, std::string_view value,
                          bool fromFile, std::string* error) {
    if (fromFile && (name.starts_with(kFailPrefix) || name.starts_with(kDelayPrefix))) {
        return SetControl(state, name, value);
    }
    for (const Field& field : Fields()) {
        if (field.name != name) continue;
        if (field.fileOnly && !fromFile) {
            return Fail(error, "field " + field.name + " is not settable (use attach or detach)");
        }
        return field.set(state, value, error);
    }
    return Fail(error, "unknown field: " + std::string(name));
}

RecorderState StateCodec::Parse(std::string_view text) {
    RecorderState state;
    text = text.substr(0, kMaxFileBytes);
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string_view::npos) continue;
        SetField(state, line.substr(0, eq), textescape::Unescape(line.substr(eq + 1)), true,
                 nullptr);
    }
    return state;
}

std::string StateCodec::Serialise(const RecorderState& state) {
    std::string out = "# velmora virtual recorder memory\n";
    for (const Field& field : Fields()) {
        out += field.name + "=" + textescape::Escape(field.get(state)) + "\n";
    }
    for (const auto& [function, count] : state.faults) {
        out += std::string(kFailPrefix) + function + "=" + std::to_string(count) + "\n";
    }
    for (const auto& [function, ms] : state.delays) {
        out += std::string(kDelayPrefix) + function + "=" + std::to_string(ms) + "\n";
    }
    return out;
}

std::vector<std::string> StateCodec::SettableFields() {
    std::vector<std::string> names;
    for (const Field& field : Fields()) {
        if (!field.fileOnly) names.push_back(field.name);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> StateCodec::Describe(const RecorderState& state) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Field& field : Fields()) {
        rows.emplace_back(field.name, field.secret ? kMask : textescape::Escape(field.get(state)));
    }
    for (const auto& [function, count] : state.faults) {
        rows.emplace_back(std::string(kFailPrefix) + function,
                          count == RecorderState::kFailAlways ? "always" : std::to_string(count));
    }
    for (const auto& [function, ms] : state.delays) {
        rows.emplace_back(std::string(kDelayPrefix) + function, std::to_string(ms) + " ms");
    }
    return rows;
}
