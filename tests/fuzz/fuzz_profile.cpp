// The language file reader over arbitrary bytes: the first byte picks the
// byte-order mark put in front (none, UTF-16 LE, UTF-16 BE, UTF-8), so every
// decoding path is reached; then every read the catalogue makes, and the
// langsel edit the writer makes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "AnsiCodePage.h"
#include "ProfileFile.h"
#include "ProfileWriter.h"

namespace {

constexpr std::string_view kBoms[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};

void ReadLikeTheCatalogue(const ProfileFile& profile) {
    for (int k = 0; k < 20; ++k) {
        const std::u16string name = profile.ReadString(u"LanguageType", std::u16string(1, u'0' + k % 10));
        if (name == u"end") break;
        // The name's round trip through the code page names the text section.
        const std::u16string section = AnsiCodePage::ToWide(AnsiCodePage::FromWide(name));
        for (int j = 0; j < 300; j += 37)
            AnsiCodePage::FromWide(profile.ReadString(section, std::u16string(1, u'0' + j % 10)));
    }
    profile.ReadString(u"LanguageSel", u"langsel");
    profile.ReadString(u"Param_Resolution", u"item_num");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string bytes(kBoms[data[0] % 4]);
    bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);

    const ProfileFile profile = ProfileFile::Parse(bytes);
    ReadLikeTheCatalogue(profile);
    const std::u16string value = profile.ReadString(u"LanguageSel", u"langsel");
    if (value.size() > ProfileFile::kMaxValueLength) __builtin_trap();

    std::string edited;
    if (ProfileWriter::Edit(bytes, u"LanguageSel", u"langsel", u"7", edited)) {
        // What was written reads back.
        if (ProfileFile::Parse(edited).ReadString(u"LanguageSel", u"langsel") != u"7")
            __builtin_trap();
    }
    return 0;
}
