#pragma once

#include <cstddef>
#include <string_view>

// One line of a private-profile file, split into its parts. Views point into
// the line given to Parse.
class ProfileLine {
public:
    enum class Kind { Blank, Comment, Section, Key, Other };

    static ProfileLine Parse(std::u16string_view line);

    Kind GetKind() const { return m_kind; }
    // Section name, or key name; blanks dropped.
    std::u16string_view Name() const { return m_name; }
    // Value of a key line: blanks dropped, one pair of matching quotes stripped.
    std::u16string_view Value() const { return m_value; }
    // Where the value as written (quotes included) lies in the line, in units.
    size_t RawValueBegin() const { return m_rawValueBegin; }
    size_t RawValueEnd() const { return m_rawValueEnd; }

private:
    static bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }
    static std::u16string_view Trim(std::u16string_view text);
    static std::u16string_view StripQuotes(std::u16string_view value);
    static ProfileLine SectionLine(std::u16string_view line);
    static ProfileLine KeyLine(std::u16string_view line, size_t equals);

    explicit ProfileLine(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    std::u16string_view m_name;
    std::u16string_view m_value;
    size_t m_rawValueBegin = 0;
    size_t m_rawValueEnd = 0;
};
