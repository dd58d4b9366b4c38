#pragma once

#include <string>
#include <string_view>

// Conversions between the windows' UTF-16 texts and the library's device texts,
// and the library calls that carry text.
std::string ToDeviceText(std::u16string_view text);
// Reads at most the given bytes, stopping at the first NUL.
std::u16string FromDeviceText(std::string_view bytes);

bool DeviceLogin(const std::u16string& password);
bool DeviceAlertPasswd(const std::u16string& password);
bool DeviceGetId(std::u16string& deviceNumber, std::u16string& officerNumber);
bool DeviceSetId(const std::u16string& deviceNumber, const std::u16string& officerNumber);
bool DeviceGetFirmwareVersion(std::u16string& version);
