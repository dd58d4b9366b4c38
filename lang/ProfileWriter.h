#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FileEncoding.h"
#include "TextLines.h"

// Writes one key of a private-profile file the way the platform does: the key's
// line is updated in place, a new key goes after the last key of its section, a
// new section is appended at the end. Every other byte stays as it was (comments,
// order, line endings, encoding and byte-order mark), and the file is replaced
// atomically. A file that does not exist is not created: the program never
// writes a language file of its own.
class ProfileWriter {
public:
    // False when nothing was written: the file is absent, read-only, not a regular
    // file, in a read-only folder, a damaged UTF-16 file, or the names or value
    // cannot be written as one line.
    static bool WriteString(const std::string& path, std::u16string_view section,
                            std::u16string_view key, std::u16string_view value);

    // The new content of a file holding bytes; false when it cannot be edited.
    static bool Edit(const std::string& bytes, std::u16string_view section,
                     std::u16string_view key, std::u16string_view value, std::string& edited);

private:
    struct Line {
        TextLine bytes;  // offsets in bytes of the file
        std::u16string text;
    };

    ProfileWriter(const std::string& bytes, FileEncoding encoding);

    static bool IsWritable(std::u16string_view section, std::u16string_view key,
                           std::u16string_view value);
    void SplitLines();
    std::string LineEnding() const;
    std::string ReplaceValue(size_t lineIndex, std::u16string_view value) const;
    std::string InsertAfter(size_t lineIndex, std::u16string_view keyLine) const;
    std::string AppendSection(std::u16string_view section, std::u16string_view keyLine) const;
    std::string Apply(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) const;

    const std::string& m_bytes;
    FileEncoding m_encoding;
    std::vector<Line> m_lines;
};
