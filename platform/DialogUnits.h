#pragma once

#include <QFont>
#include <QRect>

// Converts dialog units to pixels the way dialog templates are laid out: the
// horizontal base unit is the average width of A-Z a-z in the dialog font, the
// vertical one the font's height; x = dlu * base / 4, y = dlu * base / 8.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int dlu) const;
    int Y(int dlu) const;
    QRect Rect(int x, int y, int w, int h) const;

private:
    int m_baseX;
    int m_baseY;
};
