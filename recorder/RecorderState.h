#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "ParamRanges.h"

// The recorder's memory as kept in its state file, plus the test controls
// (faults and delays) that every process using the recorder must see.
class RecorderState {
public:
    static constexpr const char* kDefaultPassword = "000000";
    static constexpr const char* kDefaultIdText = "VR001-000001";
    static constexpr const char* kDefaultFirmware = "VR-1.0.1 2024-05-17";
    // A fault count that never runs out.
    static constexpr int64_t kFailAlways = -1;

    using Clock = std::array<int32_t, 6>;  // year, month, day, hour, minute, second

    RecorderState();

    // Back to the values the recorder ships with; recording parameters only.
    void RestoreDefaults();

    // The recorder's clock now: the frozen raw value if one is set, else the PC's
    // local time plus the offset.
    Clock ClockNow() const;
    // Sets the clock to a valid calendar time of the recorder's range; false and
    // no change otherwise.
    bool SetClock(const Clock& clock);
    static std::string ClockText(const Clock& clock);

    bool attached = false;
    // Counts attaches, so that a session opened before a detach stays void.
    uint64_t generation = 0;
    // Counts attach and detach changes; names the newest entry of the event folder.
    uint64_t eventSeq = 0;

    std::string password = kDefaultPassword;
    std::string idText = kDefaultIdText;
    std::string firmwareVersion = kDefaultFirmware;

    // Recorder clock minus the PC's local wall clock, in seconds.
    int64_t clockOffset = 0;
    // A clock frozen at raw values (set by the control tool, possibly out of range).
    std::optional<Clock> clockRaw;

    // Raw stored index per row of param::kRanges (rows not on the recorder unused).
    std::array<uint32_t, param::RowCount> params{};
    std::array<bool, param::RowCount> supported{};
    uint32_t timezone = param::kTimezoneDefault;

    // Function name -> calls still to fail (kFailAlways: until cleared).
    std::map<std::string, int64_t> faults;
    // Function name -> milliseconds to wait before answering.
    std::map<std::string, uint32_t> delays;

    bool operator==(const RecorderState&) const = default;
};
