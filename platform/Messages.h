#pragma once

#include <cstdint>

// The window messages, show commands and results the windows exchange with the
// dialog layer, under their usual names.
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_DEVICECHANGE = 0x0219;
inline constexpr uintptr_t DBT_DEVNODES_CHANGED = 0x0007;

inline constexpr uintptr_t VK_RETURN = 0x0D;
inline constexpr uintptr_t VK_ESCAPE = 0x1B;
inline constexpr uintptr_t VK_TAB = 0x09;
inline constexpr uintptr_t VK_SPACE = 0x20;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

inline constexpr unsigned kSysCommandMask = 0xFFF0;

struct MSG {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};
