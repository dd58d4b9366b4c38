#pragma once

#include <span>

// Dialog templates as data: every control with its id, kind, default caption and
// rectangle in dialog units, as the resource compiler would lay them out.
namespace res {

enum class ControlKind { Static, GroupBox, PushButton, Edit, ComboBox, Slider, Link };

enum ControlFlag : unsigned {
    kHidden = 1u << 0,       // not visible; nothing ever shows it
    kTabStop = 1u << 1,
    kPassword = 1u << 2,     // edit shows masks instead of characters
    kAutoHScroll = 1u << 3,  // edit scrolls instead of stopping at its width
    kBorder = 1u << 4,
    kCentered = 1u << 5,     // static text centred in its rectangle
    kDefault = 1u << 6,      // the default push button: Enter presses it
    kGroup = 1u << 7,
};

inline constexpr int kNoId = -1;  // statics the code never addresses

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* caption;  // UTF-8
    int x, y, w, h;       // dialog units; a combo box's height includes its open list
    unsigned flags;
};

struct DialogTemplate {
    int id;
    const char* caption;  // UTF-8
    int w, h;             // dialog units
    const char* fontFace;
    int fontPoints;
    bool appWindow;       // has a taskbar button of its own
    std::span<const ControlTemplate> controls;
};

// The template with this id, or nullptr.
const DialogTemplate* FindTemplate(int id);

// String resources; the empty string for an id that has none.
const char* LoadStringResource(int id);

inline constexpr int kIdiProgramIcon = 146;
inline constexpr int kIdsAboutBox = 101;

}  // namespace res
