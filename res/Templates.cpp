#include "DialogTemplate.h"

#include <array>

namespace res {
namespace {

using K = ControlKind;

// The dialog font: Liberation Sans Narrow stands for Arial Narrow (same metrics).
constexpr const char* kFont = "Liberation Sans Narrow";

// 100: the About box.
constexpr std::array<ControlTemplate, 9> kAbout = {{
    {kNoId, K::Static, "Tarvex Connect, Version 1.0.1", 50, 15, 137, 9, kGroup},
    {kNoId, K::Static, "Copyright (C) 2026", 50, 28, 137, 9, 0},
    {1067, K::Static, "Company:", 22, 62, 62, 10, 0},
    {1070, K::Static, "Tarvex Systems", 118, 62, 156, 10, 0},
    {1068, K::Static, "Url:", 22, 82, 62, 10, 0},
    {1065, K::Link, "<a>https://www.tarvex.example</a>", 118, 82, 156, 10, kTabStop},
    {1069, K::Static, "Email:", 22, 106, 62, 10, 0},
    {1066, K::Link, "<a>support@tarvex.example</a>", 118, 106, 156, 10, kTabStop},
    {1, K::PushButton, "OK", 250, 122, 60, 12, kDefault | kTabStop | kGroup},
}};

// 102: the basic settings window.
constexpr std::array<ControlTemplate, 24> kNormalSettings = {{
    {2007, K::GroupBox, "Device time", 30, 78, 250, 59, 0},
    {1006, K::Static, "2016-05-03 15:55:04", 39, 105, 91, 19, 0},
    {2008, K::PushButton, "get", 156, 103, 44, 15, kTabStop},
    {2009, K::PushButton, "set", 214, 103, 44, 15, kTabStop},
    {2010, K::GroupBox, "Password setting", 298, 78, 271, 140, 0},
    {2011, K::Static, "Old password:", 310, 115, 82, 19, 0},
    {2012, K::Static, "New password:", 310, 139, 82, 19, 0},
    {2013, K::Static, "Confirm password:", 308, 169, 82, 19, 0},
    {1001, K::Edit, "", 432, 111, 107, 13, kPassword | kAutoHScroll | kBorder | kTabStop},
    {1002, K::Edit, "", 432, 139, 107, 13, kPassword | kAutoHScroll | kBorder | kTabStop},
    {1003, K::Edit, "", 432, 169, 107, 13, kPassword | kAutoHScroll | kBorder | kTabStop},
    {2014, K::PushButton, "Modify", 460, 193, 76, 15, kTabStop},
    {2015, K::GroupBox, "ID set", 32, 153, 251, 65, 0},
    {2016, K::Static, "ID", 42, 188, 26, 11, 0},
    {2017, K::Static, "Device ID", 86, 164, 50, 11, 0},
    {2018, K::Static, "Police ID", 148, 164, 54, 11, 0},
    {1004, K::Edit, "", 80, 188, 51, 13, kAutoHScroll | kBorder | kTabStop},
    {1005, K::Edit, "", 146, 188, 51, 13, kAutoHScroll | kBorder | kTabStop},
    {2019, K::PushButton, "set", 216, 188, 47, 15, kTabStop},
    {2020, K::PushButton, "Enter U disk", 34, 236, 66, 15, kTabStop},
    {2021, K::PushButton, "Setting", 160, 237, 104, 15, kTabStop},
    {2022, K::PushButton, "Return", 397, 237, 76, 15, kTabStop},
    {2023, K::PushButton, "Exit", 499, 237, 76, 15, kHidden | kTabStop},
    {1064, K::Static, "", 0, 0, 591, 74, kGroup},
}};

// 129: the login window.
constexpr std::array<ControlTemplate, 11> kLogin = {{
    {1064, K::Static, "", 0, 0, 394, 50, kGroup},
    {2000, K::GroupBox, "Login Info", 14, 82, 235, 76, 0},
    {2001, K::Static, "Password", 30, 100, 106, 16, 0},
    {1007, K::Edit, "", 149, 100, 88, 12, kPassword | kAutoHScroll | kBorder | kTabStop},
    {2004, K::PushButton, "Connect device", 149, 121, 88, 15, kTabStop},
    {2005, K::PushButton, "Login", 269, 91, 110, 62, kTabStop},
    {2006, K::PushButton, "Exit", 269, 174, 110, 23, kTabStop},
    {2002, K::GroupBox, "Lang Setting", 14, 164, 235, 39, 0},
    {2003, K::Static, "Lang", 30, 177, 69, 9, 0},
    {1019, K::ComboBox, "", 96, 177, 143, 44, kTabStop},
    {1056, K::Static, "Device disconnect!", 21, 142, 222, 8, kCentered},
}};

// 130: the advanced settings window.
constexpr std::array<ControlTemplate, 36> kMoreSettings = {{
    {2024, K::Static, "Resolution", 26, 95, 89, 10, 0},
    {2025, K::Static, "Video split time", 26, 117, 89, 10, 0},
    {2026, K::Static, "GPS/Glonass", 26, 139, 89, 10, 0},
    {2027, K::Static, "Sound volume", 26, 161, 89, 10, 0},
    {2028, K::Static, "Photo resolution", 353, 231, 89, 10, kHidden},
    {2029, K::Static, "Video quality", 28, 183, 89, 10, 0},
    {2030, K::Static, "Infrared", 355, 85, 74, 12, 0},
    {2031, K::Static, "Record Warning", 28, 203, 89, 10, 0},
    {2032, K::Static, "Screensave", 353, 214, 74, 12, kHidden},
    {2033, K::Static, "Default setting", 47, 251, 74, 12, kHidden},
    {2034, K::PushButton, "Set", 145, 252, 71, 13, kHidden | kTabStop},
    {2035, K::Static, "SN device", 355, 185, 74, 12, kHidden},
    {1018, K::Static, "SN00000", 451, 186, 87, 13, kHidden},
    {2037, K::PushButton, "Set and return", 481, 251, 106, 14, kTabStop},
    {2036, K::PushButton, "Return", 355, 251, 80, 14, kTabStop},
    {1009, K::ComboBox, "", 147, 93, 136, 138, kTabStop},
    {1010, K::ComboBox, "", 147, 116, 136, 117, kTabStop},
    {1011, K::ComboBox, "", 147, 139, 136, 152, kTabStop},
    {1012, K::ComboBox, "", 147, 161, 136, 141, kTabStop},
    {1013, K::ComboBox, "", 451, 231, 136, 149, kHidden | kTabStop},
    {1014, K::ComboBox, "", 149, 183, 136, 109, kTabStop},
    {1015, K::ComboBox, "", 451, 88, 136, 109, kTabStop},
    {1016, K::ComboBox, "", 149, 203, 136, 109, kTabStop},
    {1017, K::ComboBox, "", 451, 214, 136, 138, kHidden | kTabStop},
    {2038, K::Static, "Loop record", 28, 227, 89, 10, 0},
    {1019, K::ComboBox, "", 149, 227, 136, 138, kTabStop},
    {1064, K::Static, "", 5, 2, 591, 74, kGroup},
    {1071, K::Slider, "", 451, 148, 108, 10, kTabStop},
    {2039, K::Static, "Time Zone", 355, 145, 74, 12, 0},
    {2040, K::Static, "", 567, 150, 32, 9, 0},
    {2041, K::Static, "Firmware version", 355, 165, 74, 12, 0},
    {1020, K::Static, "", 451, 166, 80, 12, 0},
    {2042, K::Static, "Codec Format", 355, 105, 74, 12, 0},
    {1021, K::ComboBox, "", 451, 108, 136, 138, kTabStop},
    {2043, K::Static, "Pre-recording:", 355, 125, 74, 12, 0},
    {1022, K::ComboBox, "", 451, 128, 136, 138, kTabStop},
}};

// 131: the caution prompt.
constexpr std::array<ControlTemplate, 3> kCaution = {{
    {1, K::PushButton, "OK", 25, 53, 50, 14, kDefault | kTabStop},
    {2, K::PushButton, "Cancel", 187, 53, 50, 14, kTabStop},
    {1057, K::Static, "", 19, 20, 212, 21, kCentered | kGroup},
}};

constexpr std::array<DialogTemplate, 5> kTemplates = {{
    {100, "About Tarvex Connect", 330, 141, kFont, 8, false, kAbout},
    {102, "", 591, 266, kFont, 8, true, kNormalSettings},
    {129, "Dialog", 394, 221, kFont, 8, false, kLogin},
    {130, "", 606, 285, kFont, 8, false, kMoreSettings},
    {131, "", 252, 74, kFont, 8, false, kCaution},
}};

}  // namespace

const DialogTemplate* FindTemplate(int id) {
    for (const DialogTemplate& t : kTemplates) {
        if (t.id == id) return &t;
    }
    return nullptr;
}

const char* LoadStringResource(int id) {
    if (id == kIdsAboutBox) return "&About Tarvex Connect";
    return "";
}

}  // namespace res
