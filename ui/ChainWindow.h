#pragma once

#include <memory>

#include "Messages.h"

// What the three chain windows share.
namespace chain {

// Enter and Escape neither end a chain window nor press one of its buttons.
inline bool SwallowsKey(const MSG& msg) {
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

// Destroys the window a chain window owns, deletes it and clears the pointer.
template <class Dialog>
void DestroyOwned(std::unique_ptr<Dialog>& owned) {
    if (!owned) return;
    owned->DestroyWindow();
    owned.reset();
}

}  // namespace chain
