#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

// Runs each test in a fresh temporary working directory, removed afterwards,
// with the code page set to Windows-1252 unless a test chooses another.
class TempWorkDir : public ::testing::Test {
public:
    // Writes config/lang.ini under the working directory.
    static void WriteLangIni(const std::string& bytes);
    static std::string LangIniPath() { return "config/lang.ini"; }

    static void WriteFile(const std::string& path, const std::string& bytes);
    static std::string ReadFile(const std::string& path);
    // The names in a folder, sorted.
    static std::vector<std::string> FolderEntries(const std::string& path);

protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::string m_previousDir;
    std::string m_dir;
};

// Test fixtures in the encodings a language file may come in. Takes text whose
// characters are all below U+0100 for Latin1.
std::string Utf16Le(std::u16string_view text, bool bom = true);
std::string Utf16Be(std::u16string_view text, bool bom = true);
std::string Latin1(std::u16string_view text);
