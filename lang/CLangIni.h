#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "TextMap.h"

class IconvConverter;
class ProfileFile;

// The loaded language file config/lang.ini under the current directory: language
// names, selected language, parameter-list item counts and one text table per
// language. A value type: copies share nothing.
class CLangIni {
public:
    static constexpr int kMaxLanguages = 20;
    static constexpr int kMaxTexts = 300;

    // Loads the whole file. When the file is missing the missing-file handler runs
    // (by default it reports "have not found file!" and ends the process with -1);
    // if the handler returns, the object stays empty with m_nLoadState 2.
    CLangIni();

    static void GetIniPath(std::string& path);
    static bool CheckIniFile();
    void ReadLangType();
    int ReadLangSel();
    void ReadItemNum();
    void ReadLangText();
    void SaveLangSel(int sel);
    static bool IsEndMark(const std::u16string& value);

    // The selected language's table. A selection that names no language falls
    // back to the first language, and to an empty table when there is none.
    const TextMap& SelectedText() const;
    // The index SelectedText() uses; -1 when there is no language at all.
    int EffectiveLangSel() const;

    using MissingFileHandler = std::function<void()>;
    // An empty handler brings back the default one.
    static void SetMissingFileHandler(MissingFileHandler handler);

    int m_nLangSel = 0;
    int m_nResolutionNum = 0;
    int m_nVideoSplitTimeNum = 0;
    int m_nGpsNum = 0;
    int m_nSoundVolumeNum = 0;
    int m_nPhotoResolutionNum = 0;
    int m_nVideoQualityNum = 0;
    int m_nInfraredNum = 0;
    int m_nRecordingWarningNum = 0;
    int m_nScreenSaveNum = 0;
    int m_nLoopRecordNum = 0;
    int m_nVideoCodecFormatNum = 0;
    int m_nPreRecordingNum = 0;
    int m_nLoadState = 0;
    TextMap m_mapLangName;
    std::vector<TextMap> m_vecLangText;

    // The twelve counts in the order of the parameter sections; 0 for a row outside 0..11.
    int ItemCount(int row) const;

    static constexpr int kParamSectionCount = 12;
    // Name of the parameter section of row 0..11.
    static const char16_t* ParamSectionName(int row);

private:
    // The same reads on a file already parsed: construction parses the file once.
    void ReadLangType(const ProfileFile& file);
    int ReadLangSel(const ProfileFile& file);
    void ReadItemNum(const ProfileFile& file);
    void ReadLangText(const ProfileFile& file);

    static ProfileFile LoadIniFile();
    static TextMap ReadTable(const ProfileFile& file, IconvConverter& converter,
                             const std::u16string& section, int maxKeys);
    // As wcstol in base 10, saturated to int: blanks, a sign, digits up to the first other character.
    static int ParseNumber(std::u16string_view text);
    static void ReportMissingFile();
};
