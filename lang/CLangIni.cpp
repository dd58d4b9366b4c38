#include "CLangIni.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iostream>

#include "AnsiCodePage.h"
#include "IconvConverter.h"
#include "ProfileFile.h"
#include "ProfileWriter.h"

namespace {

constexpr char16_t kLangTypeSection[] = u"LanguageType";
constexpr char16_t kLangSelSection[] = u"LanguageSel";
constexpr char16_t kLangSelKey[] = u"langsel";
constexpr char16_t kItemNumKey[] = u"item_num";
constexpr char16_t kEndMark[] = u"end";

constexpr const char16_t* kParamSections[CLangIni::kParamSectionCount] = {
    u"Param_Resolution",        u"Param_VideoSplitTime", u"Param_Gps",
    u"Param_SoundVolume",       u"Param_Photo_Resolution", u"Param_Video_quality",
    u"Param_Infrared",          u"Param_Recording_warning", u"Param_Screen_save",
    u"Param_Loop_record",       u"Param_Video_Codec_format", u"Param_Pre_recording",
};

constexpr int CLangIni::* kParamCounts[CLangIni::kParamSectionCount] = {
    &CLangIni::m_nResolutionNum,      &CLangIni::m_nVideoSplitTimeNum,
    &CLangIni::m_nGpsNum,             &CLangIni::m_nSoundVolumeNum,
    &CLangIni::m_nPhotoResolutionNum, &CLangIni::m_nVideoQualityNum,
    &CLangIni::m_nInfraredNum,        &CLangIni::m_nRecordingWarningNum,
    &CLangIni::m_nScreenSaveNum,      &CLangIni::m_nLoopRecordNum,
    &CLangIni::m_nVideoCodecFormatNum, &CLangIni::m_nPreRecordingNum,
};

// Room for far more tables than the 20 ever used, so appending never moves them.
constexpr size_t kReservedTables = 512;

CLangIni::MissingFileHandler& MissingFileHandlerSlot()
{
    static CLangIni::MissingFileHandler handler;
    return handler;
}

std::u16string KeyName(int index)
{
    std::string digits = std::to_string(index);
    return std::u16string(digits.begin(), digits.end());
}

// The names of the keys 0 .. kMaxTexts-1, made once: a load reads 6,000 of them.
const std::u16string& TableKey(int index)
{
    static const std::vector<std::u16string> keys = [] {
        std::vector<std::u16string> names;
        for (int k = 0; k < CLangIni::kMaxTexts; ++k)
            names.push_back(KeyName(k));
        return names;
    }();
    return keys[static_cast<size_t>(index)];
}

bool IsEndMarkView(std::u16string_view value) { return value == kEndMark; }

// Empty stays empty without reaching the converter, as AnsiCodePage::FromWide.
std::string Narrow(IconvConverter& converter, std::u16string_view text)
{
    return text.empty() ? std::string() : converter.FromWide(text);
}

std::string CurrentDirectory()
{
    std::string buffer(256, '\0');
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return ".";  // a removed current directory: the file then reads as absent
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer == "/" ? "" : buffer;
}

}  // namespace

CLangIni::CLangIni()
{
    m_vecLangText.reserve(kReservedTables);
    if (!CheckIniFile()) {
        m_nLoadState = 2;
        ReportMissingFile();
        return;
    }
    const ProfileFile file = LoadIniFile();
    ReadLangType(file);
    ReadLangSel(file);
    ReadItemNum(file);
    ReadLangText(file);
    m_nLoadState = 1;
}

void CLangIni::GetIniPath(std::string& path)
{
    path = CurrentDirectory() + "/config/lang.ini";
}

bool CLangIni::CheckIniFile()
{
    std::string path;
    GetIniPath(path);
    struct stat info {};
    if (stat(path.c_str(), &info) == 0)
        return true;
    // An existing folder, or anything else in the way, is no error here.
    mkdir((CurrentDirectory() + "/config").c_str(), 0777);
    return false;
}

ProfileFile CLangIni::LoadIniFile()
{
    std::string path;
    GetIniPath(path);
    return ProfileFile::Load(path);
}

void CLangIni::ReadLangType() { ReadLangType(LoadIniFile()); }
int CLangIni::ReadLangSel() { return ReadLangSel(LoadIniFile()); }
void CLangIni::ReadItemNum() { ReadItemNum(LoadIniFile()); }
void CLangIni::ReadLangText() { ReadLangText(LoadIniFile()); }

void CLangIni::ReadLangType(const ProfileFile& file)
{
    m_mapLangName.clear();
    IconvConverter& converter = AnsiCodePage::Converter();
    const size_t section = file.FindSection(kLangTypeSection);
    for (int k = 0; k < kMaxLanguages; ++k) {
        std::u16string_view name = file.Find(section, TableKey(k));
        if (IsEndMarkView(name))
            break;
        m_mapLangName.emplace(k, Narrow(converter, name));
    }
}

int CLangIni::ReadLangSel(const ProfileFile& file)
{
    m_nLangSel = ParseNumber(file.ReadString(kLangSelSection, kLangSelKey));
    return m_nLangSel;
}

void CLangIni::ReadItemNum(const ProfileFile& file)
{
    for (int row = 0; row < kParamSectionCount; ++row)
        this->*kParamCounts[row] = ParseNumber(file.ReadString(kParamSections[row], kItemNumKey));
}

void CLangIni::ReadLangText(const ProfileFile& file)
{
    IconvConverter& converter = AnsiCodePage::Converter();
    for (const auto& [index, name] : m_mapLangName) {
        // The section is found by the name as the code page gives it back; a
        // name that does not convert back names no section.
        m_vecLangText.push_back(ReadTable(file, converter, AnsiCodePage::ToWide(name), kMaxTexts));
    }
}

TextMap CLangIni::ReadTable(const ProfileFile& file, IconvConverter& converter,
                            const std::u16string& section, int maxKeys)
{
    TextMap table;
    const size_t found = file.FindSection(section);
    for (int j = 0; j < maxKeys; ++j) {
        std::u16string_view text = file.Find(found, TableKey(j));
        if (IsEndMarkView(text))
            break;
        table.emplace_hint(table.end(), j, Narrow(converter, text));
    }
    return table;
}

void CLangIni::SaveLangSel(int sel)
{
    if (sel >= kMaxLanguages)
        return;
    m_nLangSel = sel;
    std::string path;
    GetIniPath(path);
    // A failed write goes unnoticed; the selection in memory stands.
    ProfileWriter::WriteString(path, kLangSelSection, kLangSelKey, KeyName(sel));
}

bool CLangIni::IsEndMark(const std::u16string& value) { return value == kEndMark; }

const TextMap& CLangIni::SelectedText() const
{
    static const TextMap kNoTexts;
    int index = EffectiveLangSel();
    return index < 0 ? kNoTexts : m_vecLangText[static_cast<size_t>(index)];
}

int CLangIni::EffectiveLangSel() const
{
    if (m_vecLangText.empty())
        return -1;
    bool names = m_nLangSel >= 0 && static_cast<size_t>(m_nLangSel) < m_vecLangText.size();
    return names ? m_nLangSel : 0;
}

void CLangIni::SetMissingFileHandler(MissingFileHandler handler)
{
    MissingFileHandlerSlot() = std::move(handler);
}

void CLangIni::ReportMissingFile()
{
    const MissingFileHandler& handler = MissingFileHandlerSlot();
    if (handler) {
        handler();
        return;
    }
    std::cerr << "have not found file!" << std::endl;
    std::exit(-1);
}

int CLangIni::ItemCount(int row) const
{
    if (row < 0 || row >= kParamSectionCount)
        return 0;
    return this->*kParamCounts[row];
}

const char16_t* CLangIni::ParamSectionName(int row)
{
    if (row < 0 || row >= kParamSectionCount)
        return u"";
    return kParamSections[row];
}

int CLangIni::ParseNumber(std::u16string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || (text[pos] >= u'\t' && text[pos] <= u'\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        negative = text[pos++] == u'-';
    long long value = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        value = value * 10 + (text[pos] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    value = negative ? -value : value;
    if (value > INT_MAX)
        return INT_MAX;
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}
