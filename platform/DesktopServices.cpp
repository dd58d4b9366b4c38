#include "DesktopServices.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

QString Trimmed(const std::u16string& address) { return QString::fromStdU16String(address).trimmed(); }

bool Open(const std::u16string& url) {
    const QUrl parsed(QString::fromStdU16String(url), QUrl::StrictMode);
    return parsed.isValid() && QDesktopServices::openUrl(parsed);
}

}  // namespace

std::u16string DesktopServices::WebUrl(const std::u16string& address) {
    const QString text = Trimmed(address);
    const bool hasScheme = text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                           text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    return (hasScheme ? text : QStringLiteral("https://") + text).toStdU16String();
}

std::u16string DesktopServices::MailUrl(const std::u16string& address) {
    const QString text = Trimmed(address);
    const bool hasScheme = text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    return (hasScheme ? text : QStringLiteral("mailto:") + text).toStdU16String();
}

bool DesktopServices::OpenWebAddress(const std::u16string& address) { return Open(WebUrl(address)); }

bool DesktopServices::OpenMailAddress(const std::u16string& address) { return Open(MailUrl(address)); }
