#include "AnsiCodePage.h"

#include <langinfo.h>

#include <cstring>
#include <mutex>

#include "IconvConverter.h"

namespace {

std::mutex g_overrideMutex;
std::string g_overrideCodeSet;

constexpr char kLocaleAsciiCodeSet[] = "ANSI_X3.4-1968";
constexpr char kPosixFallbackCodeSet[] = "WINDOWS-1252";

}  // namespace

void AnsiCodePage::SetCodeSet(const std::string& name)
{
    std::lock_guard lock(g_overrideMutex);
    g_overrideCodeSet = name;
}

std::string AnsiCodePage::CodeSet()
{
    {
        std::lock_guard lock(g_overrideMutex);
        if (!g_overrideCodeSet.empty())
            return g_overrideCodeSet;
    }
    const char* localeCodeSet = nl_langinfo(CODESET);
    if (localeCodeSet == nullptr || *localeCodeSet == '\0' ||
        std::strcmp(localeCodeSet, kLocaleAsciiCodeSet) == 0)
        return kPosixFallbackCodeSet;
    return localeCodeSet;
}

IconvConverter& AnsiCodePage::Converter() { return IconvConverter::For(CodeSet()); }

std::string AnsiCodePage::FromWide(std::u16string_view text)
{
    if (text.empty())
        return {};
    return IconvConverter::For(CodeSet()).FromWide(text);
}

std::u16string AnsiCodePage::ToWide(std::string_view text, bool* ok)
{
    bool valid = true;
    std::u16string wide;
    if (!text.empty())
        wide = IconvConverter::For(CodeSet()).ToWide(text, valid);
    if (ok != nullptr)
        *ok = valid;
    return valid ? wide : std::u16string();
}

std::u16string AnsiCodePage::ToWideReplacing(std::string_view text)
{
    if (text.empty())
        return {};
    return IconvConverter::For(CodeSet()).ToWideReplacing(text);
}
