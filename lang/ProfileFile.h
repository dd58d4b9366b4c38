#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ProfileName.h"

// A private-profile (INI) file parsed once, read by section and key with the
// results of the Windows private-profile functions: names compare
// case-insensitively, the first of duplicate keys wins, a repeated section is
// ignored, an absent key or section reads as the empty string and values are
// cut to kMaxValueLength characters.
class ProfileFile {
public:
    static constexpr size_t kMaxValueLength = 259;

    ProfileFile();
    // An unreadable path (absent, a folder, no permission) gives an empty profile.
    static ProfileFile Load(const std::string& path);
    static ProfileFile Parse(std::string_view bytes);

    static constexpr size_t kNoSection = static_cast<size_t>(-1);

    // The value of key in section; the empty string when either is absent or empty.
    std::u16string ReadString(std::u16string_view section, std::u16string_view key) const;
    // The same value as a view into the profile, for readers of many keys of
    // one section: the section is looked up once and nothing is copied.
    size_t FindSection(std::u16string_view section) const;
    std::u16string_view Find(size_t section, std::u16string_view key) const;

    // One read the way the platform does it: opens and parses the file anew for
    // every call. Far slower than reading a loaded profile; kept to compare with.
    static std::u16string ReadString(const std::string& path, std::u16string_view section,
                                     std::u16string_view key);

private:
    struct KeyRef {
        size_t section;
        std::u16string_view key;
    };
    struct KeyRefHasher {
        size_t operator()(const KeyRef& ref) const;
    };
    struct KeyRefEqualTo {
        bool operator()(const KeyRef& a, const KeyRef& b) const;
    };
    struct Entry {
        size_t section;
        std::u16string_view key;
        std::u16string_view value;
    };
    // One slot of the open-addressing key table: small, so that probing stays in cache.
    struct Slot {
        static constexpr uint32_t kFree = UINT32_MAX;
        uint32_t entry = kFree;
        uint32_t hash = 0;
    };

    void Index();
    void IndexLine(std::u16string_view line, size_t& section, bool& sectionOpen);
    static std::u16string_view CutValue(std::u16string_view value);
    // Index of the slot holding ref, or of the free slot where it would go.
    size_t SlotIndex(const KeyRef& ref, size_t hash) const;

    // The decoded file; names and values below point into it, so it stays put
    // when the profile is moved.
    std::unique_ptr<const std::u16string> m_text;
    std::unordered_map<std::u16string_view, size_t, ProfileName::Hasher, ProfileName::EqualTo>
        m_sections;
    // Keys in file order, found through a flat table twice the lines in size: a
    // load reads thousands of keys, and a node per key cost more than parsing them.
    std::vector<Entry> m_entries;
    std::vector<Slot> m_slots;
};
