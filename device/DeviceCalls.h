#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversions between the windows' UTF-16 texts and the library's device texts,
// and the library calls that carry text.
std::string ToDeviceText(std::u16string_view text);
// Reads at most the given bytes, stopping at the first NUL.
std::u16string FromDeviceText(std::string_view bytes);

bool DeviceLogin(const std::u16string& password);
bool DeviceAlertPasswd(const std::u16string& password);
// Both numbers are always set: a part the recorder's ID text does not fill is empty.
bool DeviceGetId(std::u16string& deviceNumber, std::u16string& officerNumber);
bool DeviceSetId(const std::u16string& deviceNumber, const std::u16string& officerNumber);
bool DeviceGetFirmwareVersion(std::u16string& version);

// Size of the buffers the library fills (get_id, get_firmware_version).
inline constexpr size_t kDeviceBufferBytes = 50;

// The two parts of an ID text as the pattern "%5s-%6s" reads them: blanks before
// a part are skipped, the device part takes up to five non-blank bytes, a hyphen
// must follow, the officer part takes up to six non-blank bytes. A part the scan
// does not reach stays empty. Reads only the bytes of text, up to a NUL.
struct DeviceIdParts {
    std::string device;
    std::string officer;
};
DeviceIdParts ScanIdText(std::string_view text);

// The folder the library changes on every attach and detach, or "" when the
// library offers none (only the virtual recorder does).
std::string DeviceEventFolder();
