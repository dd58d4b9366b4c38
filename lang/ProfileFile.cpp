#include "ProfileFile.h"

#include "FileAccess.h"
#include "FileEncoding.h"
#include "ProfileLine.h"
#include "TextLines.h"

ProfileFile::ProfileFile() : m_text(std::make_unique<const std::u16string>()) {}

ProfileFile ProfileFile::Load(const std::string& path)
{
    std::string bytes;
    if (!FileAccess::ReadAll(path, bytes))
        return ProfileFile();
    return Parse(bytes);
}

ProfileFile ProfileFile::Parse(std::string_view bytes)
{
    FileEncoding encoding = FileEncoding::Detect(bytes);
    ProfileFile profile;
    profile.m_text = std::make_unique<const std::u16string>(
        encoding.Decode(bytes.substr(encoding.BomSize())));
    profile.Index();
    return profile;
}

void ProfileFile::Index()
{
    size_t section = 0;
    bool sectionOpen = false;
    TextLines::ForEach(std::u16string_view(*m_text), [&](std::u16string_view line) {
        IndexLine(line, section, sectionOpen);
    });
}

void ProfileFile::IndexLine(std::u16string_view line, size_t& section, bool& sectionOpen)
{
    ProfileLine parsed = ProfileLine::Parse(line);
    if (parsed.GetKind() == ProfileLine::Kind::Section) {
        // A repeated section is skipped with all its keys.
        auto [entry, added] = m_sections.try_emplace(parsed.Name(), m_sections.size());
        section = entry->second;
        sectionOpen = added;
    } else if (parsed.GetKind() == ProfileLine::Kind::Key && sectionOpen) {
        m_values.try_emplace(KeyRef{section, parsed.Name()}, parsed.Value());
    }
}

std::u16string ProfileFile::ReadString(std::u16string_view section, std::u16string_view key) const
{
    if (section.empty() || key.empty())
        return {};
    auto sectionEntry = m_sections.find(section);
    if (sectionEntry == m_sections.end())
        return {};
    auto value = m_values.find(KeyRef{sectionEntry->second, key});
    if (value == m_values.end())
        return {};
    return CutValue(value->second);
}

std::u16string ProfileFile::ReadString(const std::string& path, std::u16string_view section,
                                       std::u16string_view key)
{
    return Load(path).ReadString(section, key);
}

std::u16string ProfileFile::CutValue(std::u16string_view value)
{
    // A text ends at a NUL, as every reader of the value would see it.
    value = value.substr(0, value.find(u'\0'));
    if (value.size() > kMaxValueLength) {
        value = value.substr(0, kMaxValueLength);
        // Never keep half of a surrogate pair.
        if (value.back() >= 0xD800 && value.back() <= 0xDBFF)
            value.remove_suffix(1);
    }
    return std::u16string(value);
}

size_t ProfileFile::KeyRefHasher::operator()(const KeyRef& ref) const
{
    return ProfileName::Hash(ref.key) ^ (ref.section * 0x9E3779B97F4A7C15ull);
}

bool ProfileFile::KeyRefEqualTo::operator()(const KeyRef& a, const KeyRef& b) const
{
    return a.section == b.section && ProfileName::Equal(a.key, b.key);
}
