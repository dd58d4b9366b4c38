#include "LinkMarkup.h"

#include <QRegularExpression>

QString LinkMarkup::ToRichText(const QString& markup) {
    static const QRegularExpression anchor(QStringLiteral("<a>(.*?)</a>"));
    QString html;
    qsizetype last = 0;
    auto it = anchor.globalMatch(markup);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        html += markup.mid(last, m.capturedStart() - last).toHtmlEscaped();
        const QString text = m.captured(1);
        html += QStringLiteral("<a href=\"%1\">%2</a>").arg(text.toHtmlEscaped(), text.toHtmlEscaped());
        last = m.capturedEnd();
    }
    html += markup.mid(last).toHtmlEscaped();
    return html;
}

QString LinkMarkup::ToPlainText(const QString& markup) {
    QString plain = markup;
    plain.remove(QStringLiteral("<a>"));
    plain.remove(QStringLiteral("</a>"));
    return plain;
}
