#include "TempWorkDir.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "AnsiCodePage.h"

namespace fs = std::filesystem;

void TempWorkDir::SetUp()
{
    m_previousDir = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "lang_tests.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
    fs::current_path(m_dir);
    AnsiCodePage::SetCodeSet("WINDOWS-1252");
}

void TempWorkDir::TearDown()
{
    AnsiCodePage::SetCodeSet("");
    fs::current_path(m_previousDir);
    // Tests make folders read-only; open them again so that they can be removed.
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(m_dir, error);
         it != fs::recursive_directory_iterator(); it.increment(error))
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_dir, error);
}

void TempWorkDir::WriteLangIni(const std::string& bytes)
{
    fs::create_directories("config");
    WriteFile(LangIniPath(), bytes);
}

void TempWorkDir::WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string TempWorkDir::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TempWorkDir::FolderEntries(const std::string& path)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

std::string Utf16(std::u16string_view text, bool bom, bool littleEndian)
{
    std::string bytes;
    if (bom)
        bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : text) {
        char low = static_cast<char>(unit & 0xFF);
        char high = static_cast<char>(unit >> 8);
        bytes.push_back(littleEndian ? low : high);
        bytes.push_back(littleEndian ? high : low);
    }
    return bytes;
}

}  // namespace

std::string Utf16Le(std::u16string_view text, bool bom) { return Utf16(text, bom, true); }
std::string Utf16Be(std::u16string_view text, bool bom) { return Utf16(text, bom, false); }

std::string Latin1(std::u16string_view text)
{
    std::string bytes;
    for (char16_t unit : text)
        bytes.push_back(static_cast<char>(unit));
    return bytes;
}
