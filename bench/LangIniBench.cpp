// Loading the language file: our one-pass load against the platform's way (one
// file read and parse per key) and against inih, a fast C INI parser that
// converts nothing.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "CLangIni.h"
#include "ProfileFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLanguages = 20;
constexpr int kTexts = 300;
constexpr const char* kSections[] = {"Param_Resolution", "Param_VideoSplitTime", "Param_Gps",
                                     "Param_SoundVolume", "Param_Photo_Resolution", "Param_Video_quality",
                                     "Param_Infrared", "Param_Recording_warning", "Param_Screen_save",
                                     "Param_Loop_record", "Param_Video_Codec_format", "Param_Pre_recording"};

// A working folder with a full file: 20 languages of 300 texts of 40 characters.
fs::path MakeFullFile() {
    static fs::path folder;
    if (!folder.empty()) return folder;
    char name[] = "/tmp/velmora-bench-XXXXXX";
    folder = mkdtemp(name);
    fs::create_directory(folder / "config");
    std::ofstream out(folder / "config" / "lang.ini");
    out << "[LanguageType]\n";
    for (int k = 0; k < kLanguages; ++k) out << k << "=Language " << k << "\n";
    out << "[LanguageSel]\nlangsel=0\n";
    for (const char* section : kSections) out << "[" << section << "]\nitem_num=4\n";
    for (int k = 0; k < kLanguages; ++k) {
        out << "[Language " << k << "]\n";
        for (int j = 0; j < kTexts; ++j) out << j << "=Text " << j << " of language " << k << ", forty chars..\n";
    }
    return folder;
}

fs::path DemoFolder() { return VELMORA_DEMO_DIR; }

void InFolder(const fs::path& folder) { fs::current_path(folder); }

void BM_LangIniLoad_Full(benchmark::State& state) {
    InFolder(MakeFullFile());
    for (auto _ : state) {
        CLangIni lang;
        benchmark::DoNotOptimize(lang.m_vecLangText.data());
    }
}
BENCHMARK(BM_LangIniLoad_Full)->Unit(benchmark::kMicrosecond);

void BM_LangIniLoad_Demo(benchmark::State& state) {
    InFolder(DemoFolder());
    for (auto _ : state) {
        CLangIni lang;
        benchmark::DoNotOptimize(lang.m_vecLangText.data());
    }
}
BENCHMARK(BM_LangIniLoad_Demo)->Unit(benchmark::kMicrosecond);

// The 6,033 reads of one load, each opening and parsing the file again.
void BM_PerKeyReads_Full(benchmark::State& state) {
    const std::string path = (MakeFullFile() / "config" / "lang.ini").string();
    auto key = [](int n) {
        const std::string text = std::to_string(n);
        return std::u16string(text.begin(), text.end());
    };
    for (auto _ : state) {
        size_t total = 0;
        for (int k = 0; k < kLanguages; ++k) total += ProfileFile::ReadString(path, u"LanguageType", key(k)).size();
        total += ProfileFile::ReadString(path, u"LanguageSel", u"langsel").size();
        for (const char* section : kSections) {
            const std::string name(section);
            total += ProfileFile::ReadString(path, std::u16string(name.begin(), name.end()), u"item_num").size();
        }
        for (int k = 0; k < kLanguages; ++k) {
            const std::string name = "Language " + std::to_string(k);
            const std::u16string section(name.begin(), name.end());
            for (int j = 0; j < kTexts; ++j) total += ProfileFile::ReadString(path, section, key(j)).size();
        }
        benchmark::DoNotOptimize(total);
    }
}
// About ten seconds a run: once, whatever the repetitions asked for.
BENCHMARK(BM_PerKeyReads_Full)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

int StoreValue(void* user, const char* section, const char* key, const char* value) {
    auto& sections = *static_cast<std::map<std::string, std::map<std::string, std::string>>*>(user);
    sections[section].emplace(key, value);
    return 1;
}

void BM_Inih_Full(benchmark::State& state) {
    const std::string path = (MakeFullFile() / "config" / "lang.ini").string();
    for (auto _ : state) {
        std::map<std::string, std::map<std::string, std::string>> sections;
        ini_parse(path.c_str(), StoreValue, &sections);
        benchmark::DoNotOptimize(sections.size());
    }
}
BENCHMARK(BM_Inih_Full)->Unit(benchmark::kMicrosecond);

}  // namespace
