#include "ProfileWriter.h"

#include "FileAccess.h"
#include "ProfileLine.h"
#include "ProfileName.h"

namespace {

constexpr size_t kNoLine = static_cast<size_t>(-1);

bool HasAnyOf(std::u16string_view text, std::u16string_view units)
{
    return text.find_first_of(units) != std::u16string_view::npos;
}

}  // namespace

bool ProfileWriter::WriteString(const std::string& path, std::u16string_view section,
                                std::u16string_view key, std::u16string_view value)
{
    // The file behind a symbolic link is replaced, not the link.
    const std::string target = FileAccess::ResolvedPath(path);
    std::string bytes;
    std::string edited;
    return !target.empty() && FileAccess::MayReplace(target) &&
           FileAccess::ReadAll(target, bytes) && Edit(bytes, section, key, value, edited) &&
           FileAccess::ReplaceAtomically(target, edited);
}

bool ProfileWriter::Edit(const std::string& bytes, std::u16string_view section,
                         std::u16string_view key, std::u16string_view value, std::string& edited)
{
    FileEncoding encoding = FileEncoding::Detect(bytes);
    // An odd byte count means a damaged UTF-16 file; what we added would be misaligned.
    if (!IsWritable(section, key, value) ||
        (encoding.IsUtf16() && (bytes.size() - encoding.BomSize()) % 2 != 0))
        return false;
    ProfileWriter writer(bytes, encoding);
    edited = writer.Apply(section, key, value);
    return true;
}

bool ProfileWriter::IsWritable(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value)
{
    // Anything that would not read back as the same section, key and value.
    const std::u16string_view lineBreaks(u"\r\n\0", 3);
    return !section.empty() && !key.empty() && !HasAnyOf(section, lineBreaks) &&
           !HasAnyOf(key, lineBreaks) && !HasAnyOf(value, lineBreaks) &&
           !HasAnyOf(section, u"]") && !HasAnyOf(key, u"=") && key.front() != u'[' &&
           key.front() != u';';
}

ProfileWriter::ProfileWriter(const std::string& bytes, FileEncoding encoding)
    : m_bytes(bytes), m_encoding(encoding)
{
    SplitLines();
}

void ProfileWriter::SplitLines()
{
    const size_t bom = m_encoding.BomSize();
    const std::string_view body = std::string_view(m_bytes).substr(bom);
    if (m_encoding.IsUtf16()) {
        // UTF-16 units map to bytes one to two, so split the decoded text.
        const std::u16string text = m_encoding.Decode(body);
        for (const TextLine& line : TextLines::Split(std::u16string_view(text)))
            m_lines.push_back({{bom + 2 * line.begin, bom + 2 * line.contentEnd, bom + 2 * line.end},
                               text.substr(line.begin, line.contentEnd - line.begin)});
        return;
    }
    for (const TextLine& line : TextLines::Split(body))
        m_lines.push_back({{bom + line.begin, bom + line.contentEnd, bom + line.end},
                           m_encoding.Decode(body.substr(line.begin, line.contentEnd - line.begin))});
}

std::string ProfileWriter::Apply(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view value) const
{
    std::u16string keyLine(key);
    keyLine.append(u"=").append(value);
    size_t header = kNoLine;
    size_t lastKey = kNoLine;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        ProfileLine line = ProfileLine::Parse(m_lines[i].text);
        if (line.GetKind() == ProfileLine::Kind::Section) {
            // Only the first section of that name is read, so only it is written.
            if (header != kNoLine)
                break;
            if (ProfileName::Equal(line.Name(), section))
                header = i;
        } else if (line.GetKind() == ProfileLine::Kind::Key && header != kNoLine) {
            if (ProfileName::Equal(line.Name(), key))
                return ReplaceValue(i, value);
            lastKey = i;
        }
    }
    if (header == kNoLine)
        return AppendSection(section, keyLine);
    return InsertAfter(lastKey != kNoLine ? lastKey : header, keyLine);
}

std::string ProfileWriter::ReplaceValue(size_t lineIndex, std::u16string_view value) const
{
    const Line& line = m_lines[lineIndex];
    ProfileLine parsed = ProfileLine::Parse(line.text);
    size_t valueBegin;
    size_t valueEnd;
    if (m_encoding.IsUtf16()) {
        valueBegin = line.bytes.begin + 2 * parsed.RawValueBegin();
        valueEnd = line.bytes.begin + 2 * parsed.RawValueEnd();
    } else {
        // '=', blanks and quotes are single bytes below 0x40 in every ASCII-based
        // code set, never part of another character: find the value in the bytes.
        std::string_view content(m_bytes.data() + line.bytes.begin,
                                 line.bytes.contentEnd - line.bytes.begin);
        size_t begin = content.find('=') + 1;
        size_t end = content.size();
        while (begin < end && (content[begin] == ' ' || content[begin] == '\t'))
            ++begin;
        while (end > begin && (content[end - 1] == ' ' || content[end - 1] == '\t'))
            --end;
        valueBegin = line.bytes.begin + begin;
        valueEnd = line.bytes.begin + end;
    }
    return m_bytes.substr(0, valueBegin) + m_encoding.Encode(value) + m_bytes.substr(valueEnd);
}

std::string ProfileWriter::LineEnding() const
{
    for (const Line& line : m_lines)
        if (line.bytes.end > line.bytes.contentEnd)
            return m_bytes.substr(line.bytes.contentEnd, line.bytes.end - line.bytes.contentEnd);
    return m_encoding.Encode(u"\r\n");
}

std::string ProfileWriter::InsertAfter(size_t lineIndex, std::u16string_view keyLine) const
{
    const TextLine& after = m_lines[lineIndex].bytes;
    const std::string ending = LineEnding();
    const std::string encoded = m_encoding.Encode(keyLine);
    // A last line without an ending stays without one.
    const std::string inserted =
        after.end == after.contentEnd ? ending + encoded : encoded + ending;
    return m_bytes.substr(0, after.end) + inserted + m_bytes.substr(after.end);
}

std::string ProfileWriter::AppendSection(std::u16string_view section,
                                         std::u16string_view keyLine) const
{
    const std::string ending = LineEnding();
    std::string result = m_bytes;
    if (!m_lines.empty() && m_lines.back().bytes.end == m_lines.back().bytes.contentEnd)
        result += ending;
    std::u16string header(u"[");
    header.append(section).append(u"]");
    result += m_encoding.Encode(header) + ending;
    result += m_encoding.Encode(keyLine) + ending;
    return result;
}
