#include "ProfileLine.h"

ProfileLine ProfileLine::Parse(std::u16string_view line)
{
    std::u16string_view text = Trim(line);
    if (text.empty())
        return ProfileLine(Kind::Blank);
    if (text.front() == u';')
        return ProfileLine(Kind::Comment);
    if (text.front() == u'[')
        return SectionLine(text);
    size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos)
        return ProfileLine(Kind::Other);
    return KeyLine(line, equals);
}

std::u16string_view ProfileLine::Trim(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::u16string_view ProfileLine::StripQuotes(std::u16string_view value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

ProfileLine ProfileLine::SectionLine(std::u16string_view line)
{
    // The name ends at the first ']'; whatever follows it is ignored.
    size_t close = line.find(u']');
    if (close == std::u16string_view::npos)
        return ProfileLine(Kind::Other);
    ProfileLine section(Kind::Section);
    section.m_name = Trim(line.substr(1, close - 1));
    return section;
}

ProfileLine ProfileLine::KeyLine(std::u16string_view line, size_t equals)
{
    ProfileLine key(Kind::Key);
    key.m_name = Trim(line.substr(0, equals));
    std::u16string_view raw = Trim(line.substr(equals + 1));
    key.m_rawValueBegin = raw.empty() ? equals + 1 : static_cast<size_t>(raw.data() - line.data());
    key.m_rawValueEnd = key.m_rawValueBegin + raw.size();
    key.m_value = StripQuotes(raw);
    return key;
}
