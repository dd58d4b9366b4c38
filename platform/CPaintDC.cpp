#include "CPaintDC.h"

#include <QPainter>
#include <QWidget>

#include "Picture.h"

CPaintDC::CPaintDC(QWidget& widget, QPainter& painter) : m_widget(widget), m_painter(painter) {}

Rect CPaintDC::GetClientRect() const {
    return Rect{0, 0, m_widget.width(), m_widget.height()};
}

bool CPaintDC::DrawPicture(const Picture& picture, int x, int y, int cx, int cy) {
    if (cx <= 0 || cy <= 0) return false;
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(QRect(x, y, cx, cy), picture.Image());
    return true;
}
