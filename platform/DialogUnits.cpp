#include "DialogUnits.h"

#include <QFontMetrics>

namespace {

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    m_baseY = metrics.height();
}

int DialogUnits::X(int dlu) const { return MulDiv(dlu, m_baseX, 4); }

int DialogUnits::Y(int dlu) const { return MulDiv(dlu, m_baseY, 8); }

QRect DialogUnits::Rect(int x, int y, int w, int h) const {
    const int left = X(x);
    const int top = Y(y);
    return QRect(left, top, X(x + w) - left, Y(y + h) - top);
}
