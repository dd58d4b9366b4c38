#include "AnsiCodePage.h"
#include "CLangIni.h"
#include "TempWorkDir.h"

namespace {

// One set of texts with letters outside ASCII, saved in each encoding a
// language file may come in. CRLF line ends, as Windows editors save them.
const std::u16string kTexts =
    u"[LanguageType]\r\n0=English\r\n1=Fran\u00E7ais\r\n2=end\r\n"
    u"[LanguageSel]\r\nlangsel=1\r\n"
    u"[English]\r\n0=Ready\r\n1=end\r\n"
    u"[Fran\u00E7ais]\r\n0=Pr\u00EAt \u00E0 l'emploi\r\n1=M\u00FCller \"caf\u00E9\"\r\n2=end\r\n";

std::string Utf8(std::u16string_view text)
{
    // Test fixture: only characters below U+0800 occur in the texts above.
    std::string bytes;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            bytes.push_back(static_cast<char>(unit));
        } else {
            bytes.push_back(static_cast<char>(0xC0 | (unit >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        }
    }
    return bytes;
}

struct EncodingCase {
    const char* name;
    std::string bytes;
};

class FileEncodingTest : public TempWorkDir, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(FileEncodingTest, LoadsTheSameTexts)
{
    WriteLangIni(GetParam().bytes);

    CLangIni ini;

    ASSERT_EQ(ini.m_mapLangName, (TextMap{{0, "English"}, {1, "Fran\xE7" "ais"}}));
    EXPECT_EQ(ini.m_nLangSel, 1);
    ASSERT_EQ(ini.m_vecLangText.size(), 2u);
    EXPECT_EQ(ini.m_vecLangText[0], (TextMap{{0, "Ready"}}));
    EXPECT_EQ(ini.m_vecLangText[1],
              (TextMap{{0, "Pr\xEAt \xE0 l'emploi"}, {1, "M\xFCller \"caf\xE9\""}}));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, FileEncodingTest,
    ::testing::Values(EncodingCase{"Utf16LeWithBom", Utf16Le(kTexts)},
                      EncodingCase{"Utf16BeWithBom", Utf16Be(kTexts)},
                      EncodingCase{"Utf8WithBom", "\xEF\xBB\xBF" + Utf8(kTexts)},
                      EncodingCase{"Utf8", Utf8(kTexts)},
                      EncodingCase{"Windows1252", Latin1(kTexts)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TempWorkDir, StoresTextsInTheCodePageOfTheProcess)
{
    AnsiCodePage::SetCodeSet("UTF-8");
    WriteLangIni(Utf16Le(kTexts));

    CLangIni ini;

    ASSERT_EQ(ini.m_mapLangName.at(1), "Fran\xC3\xA7" "ais");
    ASSERT_EQ(ini.m_vecLangText.size(), 2u);
    EXPECT_EQ(ini.m_vecLangText[1].at(1), "M\xC3\xBCller \"caf\xC3\xA9\"");
}

}  // namespace
