#pragma once

#include "Messages.h"

class Picture;
class QPainter;
class QWidget;

// The painting surface of a control during its paint handler.
class CPaintDC {
public:
    CPaintDC(QWidget& widget, QPainter& painter);
    Rect GetClientRect() const;
    // Draws the whole picture stretched into the rectangle (aspect ratio not kept).
    bool DrawPicture(const Picture& picture, int x, int y, int cx, int cy);

private:
    QWidget& m_widget;
    QPainter& m_painter;
};
