#include "ProfileFile.h"

#include <algorithm>

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
    // At most one key per line (a line ends at LF or CR), so the table never fills.
    const size_t lines = static_cast<size_t>(std::count(m_text->begin(), m_text->end(), u'\n') +
                                             std::count(m_text->begin(), m_text->end(), u'\r')) + 1;
    size_t slots = 16;
    while (slots < 2 * lines)
        slots *= 2;
    m_entries.reserve(lines);
    m_slots.assign(slots, Slot{});
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
        const KeyRef ref{section, parsed.Name()};
        const size_t hash = KeyRefHasher()(ref);
        Slot& slot = m_slots[SlotIndex(ref, hash)];
        // The first of duplicate keys wins; more entries than a slot can name are dropped.
        if (slot.entry == Slot::kFree && m_entries.size() < Slot::kFree) {
            slot = Slot{static_cast<uint32_t>(m_entries.size()), static_cast<uint32_t>(hash)};
            m_entries.push_back(Entry{section, ref.key, parsed.Value()});
        }
    }
}

std::u16string ProfileFile::ReadString(std::u16string_view section, std::u16string_view key) const
{
    return std::u16string(Find(FindSection(section), key));
}

size_t ProfileFile::FindSection(std::u16string_view section) const
{
    if (section.empty())
        return kNoSection;
    auto entry = m_sections.find(section);
    return entry == m_sections.end() ? kNoSection : entry->second;
}

std::u16string_view ProfileFile::Find(size_t section, std::u16string_view key) const
{
    if (section == kNoSection || key.empty())
        return {};
    if (m_slots.empty())
        return {};
    const KeyRef ref{section, key};
    const Slot& slot = m_slots[SlotIndex(ref, KeyRefHasher()(ref))];
    if (slot.entry == Slot::kFree)
        return {};
    return CutValue(m_entries[slot.entry].value);
}

size_t ProfileFile::SlotIndex(const KeyRef& ref, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    const KeyRefEqualTo equal;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.entry == Slot::kFree)
            return i;
        const Entry& entry = m_entries[slot.entry];
        if (slot.hash == static_cast<uint32_t>(hash) && equal(KeyRef{entry.section, entry.key}, ref))
            return i;
    }
}

std::u16string ProfileFile::ReadString(const std::string& path, std::u16string_view section,
                                       std::u16string_view key)
{
    return Load(path).ReadString(section, key);
}

std::u16string_view ProfileFile::CutValue(std::u16string_view value)
{
    // A text ends at a NUL, as every reader of the value would see it.
    value = value.substr(0, value.find(u'\0'));
    if (value.size() > kMaxValueLength) {
        value = value.substr(0, kMaxValueLength);
        // Never keep half of a surrogate pair.
        if (value.back() >= 0xD800 && value.back() <= 0xDBFF)
            value.remove_suffix(1);
    }
    return value;
}

size_t ProfileFile::KeyRefHasher::operator()(const KeyRef& ref) const
{
    return ProfileName::Hash(ref.key) ^ (ref.section * 0x9E3779B97F4A7C15ull);
}

bool ProfileFile::KeyRefEqualTo::operator()(const KeyRef& a, const KeyRef& b) const
{
    return a.section == b.section && ProfileName::Equal(a.key, b.key);
}
