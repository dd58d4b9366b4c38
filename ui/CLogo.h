#pragma once

#include <string>

#include "CStatic.h"

// The banner across the top of the main windows: logo/logo.jpg under the current
// folder, stretched over the whole control. Without a readable picture it draws nothing.
class CLogo : public CStatic {
public:
    static constexpr int kControlId = 1064;

    void OnPaint(CPaintDC& dc) override;
    // Draws the picture file stretched to the control's client area at (x, y).
    static bool DrawPicture(CPaintDC& dc, const std::string& path, int x, int y);
    static std::string LogoPath();
};
