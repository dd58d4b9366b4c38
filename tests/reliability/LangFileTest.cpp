#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "CLangIni.h"
#include "TempWorkDir.h"

namespace {

template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

#ifdef VELMORA_SANITIZED
// The sanitizers make these loads many times slower: the sizes are scaled down there.
constexpr size_t kBigFileBytes = 8u << 20;
constexpr int kManySections = 200000;
#else
constexpr size_t kBigFileBytes = 50u << 20;
constexpr int kManySections = 1000000;
#endif
constexpr size_t kLongLineBytes = 1u << 20;

// A small usable file: one language with two texts.
std::string Core(const char* eol = "\n", bool finalNewline = true) {
    const std::vector<std::string> lines = {"[LanguageType]", "0=English", "1=end", "[LanguageSel]",
                                            "langsel=0",      "[English]", "0=Ready", "1=Connect",
                                            "2=end"};
    std::string text;
    for (const std::string& line : lines) text += line + eol;
    if (!finalNewline) text.resize(text.size() - std::string(eol).size());
    return text;
}

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string BigFile() {
    std::string text = Core() + "[Filler]\n";
    const std::string line = "key=" + std::string(95, 'v') + "\n";
    while (text.size() < kBigFileBytes) text += line;
    return text;
}

std::string Garbage() {
    std::mt19937 random(7);
    std::string bytes(kLongLineBytes, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes + "\n" + Core();
}

std::string ManySections() {
    std::string text;
    for (int i = 0; i < kManySections; ++i) text += "[S" + std::to_string(i) + "]\nk=v\n";
    return text + Core();
}

std::string LongLines() {
    return "[LanguageType]\n0=English\n1=end\n[English]\n0=" + std::string(kLongLineBytes, 'a') + "\n" +
           std::string(kLongLineBytes, 'c') + "\n1=Connect\n2=end\n";
}

struct FileCase {
    const char* name;
    std::string (*bytes)();
    std::vector<std::string> languages;
    std::vector<std::string> firstTable;
};

const std::vector<std::string> kCoreLanguages = {"English"};
const std::vector<std::string> kCoreTexts = {"Ready", "Connect"};

const FileCase kFileCases[] = {
    {"fiftyMegabytes", BigFile, kCoreLanguages, kCoreTexts},
    {"binaryGarbageBefore", Garbage, kCoreLanguages, kCoreTexts},
    {"millionSections", ManySections, kCoreLanguages, kCoreTexts},
    // A NUL ends the value, as every reader of the text sees it.
    {"nulBytes",
     [] {
         static const char bytes[] = "[LanguageType]\n0=Eng\0lish\n1=end\n\0\0\0\n[Eng]\n0=Re\0ady\n1=end\n";
         return std::string(bytes, sizeof bytes - 1);
     },
     {"Eng"},
     {"Re"}},
    // Not valid UTF-8: the whole file is read in the code page, Windows-1252 here.
    {"invalidUtf8",
     [] { return std::string("[LanguageType]\n0=Fran\xE7" "ais\n1=end\n[Fran\xE7" "ais]\n0=Pr\xEAt\n1=\xC3\n2=end\n"); },
     {"Fran\xE7" "ais"},
     {"Pr\xEAt", "\xC3"}},
    // The last odd byte of a UTF-16 file is dropped.
    {"utf16LeOddByteCount", [] { return Utf16Le(Wide(Core("\r\n"))) + "X"; }, kCoreLanguages, kCoreTexts},
    {"utf16BeOddByteCount", [] { return Utf16Be(Wide(Core("\r\n"))) + "X"; }, kCoreLanguages, kCoreTexts},
    {"crOnlyLineEndings", [] { return Core("\r"); }, kCoreLanguages, kCoreTexts},
    {"noFinalNewline", [] { return Core("\n", false); }, kCoreLanguages, kCoreTexts},
    // A 1 MB value is cut to 259 characters; a 1 MB line without "=" is no key.
    {"megabyteLines", LongLines, kCoreLanguages, {std::string(259, 'a'), "Connect"}},
};

class PathologicalLangFile : public TempWorkDir, public ::testing::WithParamInterface<FileCase> {};

TEST_P(PathologicalLangFile, LoadsWithTheReadersResults) {
    const FileCase& c = GetParam();
    WriteLangIni(c.bytes());
    const CLangIni lang;
    EXPECT_EQ(lang.m_nLoadState, 1);
    std::vector<std::string> languages;
    for (const auto& [index, name] : lang.m_mapLangName) languages.push_back(name);
    EXPECT_EQ(languages, c.languages);
    ASSERT_EQ(lang.m_vecLangText.size(), c.languages.size());
    std::vector<std::string> texts;
    for (const auto& [index, text] : lang.m_vecLangText[0]) texts.push_back(text);
    EXPECT_EQ(texts, c.firstTable);
}

INSTANTIATE_TEST_SUITE_P(Cases, PathologicalLangFile, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Garbage alone: no section is found, so every key reads as empty.
TEST_F(TempWorkDir, GarbageAloneGivesTwentyEmptyLanguages) {
    std::mt19937 random(11);
    std::string bytes(kLongLineBytes, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() % 255 + 1);
    WriteLangIni(bytes);
    const CLangIni lang;
    ASSERT_EQ(lang.m_mapLangName.size(), 20u);
    for (const auto& [index, name] : lang.m_mapLangName) EXPECT_EQ(name, "") << index;
    ASSERT_EQ(lang.m_vecLangText.size(), 20u);
    EXPECT_EQ(lang.m_vecLangText[19].size(), 300u);
    EXPECT_EQ(lang.m_vecLangText[19].at(299), "");
}

#ifndef VELMORA_SANITIZED
// Loading the biggest files fits in a bounded address space (a child process with
// a hard limit; it ends with 0 only when the load completed).
class BoundedMemory : public TempWorkDir, public ::testing::WithParamInterface<FileCase> {};

TEST_P(BoundedMemory, LoadFitsInOneGigabyteOfAddressSpace) {
    WriteLangIni(GetParam().bytes());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{1ul << 30, 1ul << 30};
        setrlimit(RLIMIT_AS, &limit);
        const CLangIni lang;
        _exit(lang.m_nLoadState == 1 && lang.m_vecLangText.size() == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

INSTANTIATE_TEST_SUITE_P(Cases, BoundedMemory, ::testing::Values(kFileCases[0], kFileCases[2]),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

}  // namespace
