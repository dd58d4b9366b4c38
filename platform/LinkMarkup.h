#pragma once

#include <QString>

// Link controls take text with <a>...</a> markup; an anchor without an address
// links to its own text.
class LinkMarkup {
public:
    static QString ToRichText(const QString& markup);
    static QString ToPlainText(const QString& markup);
};
