#include "DeviceCalls.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "AnsiCodePage.h"
#include "DravinProtocol.h"

namespace {

// The password length the library expects, whatever the text's own length.
constexpr int32_t kPasswordLength = 6;
constexpr size_t kDeviceChars = 5;
constexpr size_t kOfficerChars = 6;

// scanf's white space, as the C locale has it.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%Ns" conversion: skips blanks, then takes up to width non-blank bytes.
// Fails (nothing taken) when the text ends first.
bool ScanWord(std::string_view& text, size_t width, std::string& word) {
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    const size_t start = pos;
    while (pos < text.size() && pos - start < width && !IsBlank(text[pos])) ++pos;
    if (pos == start) return false;
    word.assign(text.substr(start, pos - start));
    text.remove_prefix(pos);
    return true;
}

std::string_view UpToNul(std::string_view bytes) {
    return bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));
}

std::u16string Cut(std::u16string text, size_t maxChars) {
    if (text.size() > maxChars) text.resize(maxChars);
    return text;
}

}  // namespace

std::string ToDeviceText(std::u16string_view text) { return AnsiCodePage::FromWide(text); }

std::u16string FromDeviceText(std::string_view bytes) {
    bool ok = false;
    std::u16string wide = AnsiCodePage::ToWide(UpToNul(bytes), &ok);
    return ok ? wide : std::u16string();
}

bool DeviceLogin(const std::u16string& password) {
    return Login(ToDeviceText(password).c_str(), kPasswordLength);
}

bool DeviceAlertPasswd(const std::u16string& password) {
    return alert_passwd(ToDeviceText(password).c_str(), kPasswordLength);
}

DeviceIdParts ScanIdText(std::string_view text) {
    text = UpToNul(text);
    DeviceIdParts parts;
    if (!ScanWord(text, kDeviceChars, parts.device)) return parts;
    if (text.empty() || text.front() != '-') return parts;
    text.remove_prefix(1);
    ScanWord(text, kOfficerChars, parts.officer);
    return parts;
}

bool DeviceGetId(std::u16string& deviceNumber, std::u16string& officerNumber) {
    char buffer[kDeviceBufferBytes] = {};
    int32_t length = 0;
    const bool ok = get_id(buffer, &length);
    // The recorder's text need not end with a NUL: never read past the buffer.
    const DeviceIdParts parts = ScanIdText(std::string_view(buffer, sizeof buffer));
    deviceNumber = Cut(FromDeviceText(parts.device), kDeviceChars);
    officerNumber = Cut(FromDeviceText(parts.officer), kOfficerChars);
    return ok;
}

bool DeviceSetId(const std::u16string& deviceNumber, const std::u16string& officerNumber) {
    const std::u16string joined = deviceNumber + u"-" + officerNumber;
    return set_id(ToDeviceText(joined).c_str(), static_cast<int32_t>(joined.size()));
}

bool DeviceGetFirmwareVersion(std::u16string& version) {
    char buffer[kDeviceBufferBytes] = {};
    if (!get_firmware_version(buffer)) return false;
    version = FromDeviceText(std::string_view(buffer, sizeof buffer));
    return true;
}

std::string DeviceEventFolder() {
    const auto folder =
        reinterpret_cast<DeviceEventFolderFn>(dlsym(RTLD_DEFAULT, kDeviceEventFolderSymbol));
    const char* path = folder ? folder() : nullptr;
    return path ? path : "";
}
