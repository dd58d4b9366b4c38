#pragma once

#include <string>

// Opens addresses with the desktop's default handlers.
class DesktopServices {
public:
    // An address without a scheme is taken as an https address.
    static bool OpenWebAddress(const std::u16string& address);
    // Opens a mailto: address; a "mailto:" already present is kept.
    static bool OpenMailAddress(const std::u16string& address);
    // The address that would be opened, for tests.
    static std::u16string WebUrl(const std::u16string& address);
    static std::u16string MailUrl(const std::u16string& address);
};
