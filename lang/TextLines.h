#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// One line of a text: [begin, contentEnd) is its content, [contentEnd, end) its
// line ending (empty on a last line without one). Offsets count code units.
struct TextLine {
    size_t begin;
    size_t contentEnd;
    size_t end;
};

// LF, CRLF and CR each end a line. Works on bytes of an ASCII-compatible code
// set as well as on UTF-16 units, where CR and LF never occur inside a character.
class TextLines {
public:
    template <typename Unit>
    static std::vector<TextLine> Split(std::basic_string_view<Unit> text)
    {
        std::vector<TextLine> lines;
        size_t begin = 0;
        while (begin < text.size()) {
            size_t contentEnd = begin;
            while (contentEnd < text.size() && !IsBreak(text[contentEnd]))
                ++contentEnd;
            lines.push_back({begin, contentEnd, EndingEnd(text, contentEnd)});
            begin = lines.back().end;
        }
        return lines;
    }

    // Calls visit(content) for every line, without keeping the positions.
    template <typename Unit, typename Visitor>
    static void ForEach(std::basic_string_view<Unit> text, Visitor&& visit)
    {
        size_t begin = 0;
        while (begin < text.size()) {
            size_t contentEnd = begin;
            while (contentEnd < text.size() && !IsBreak(text[contentEnd]))
                ++contentEnd;
            visit(text.substr(begin, contentEnd - begin));
            begin = EndingEnd(text, contentEnd);
        }
    }

private:
    template <typename Unit>
    static bool IsBreak(Unit unit)
    {
        return unit == Unit('\n') || unit == Unit('\r');
    }

    template <typename Unit>
    static size_t EndingEnd(std::basic_string_view<Unit> text, size_t contentEnd)
    {
        if (contentEnd >= text.size())
            return contentEnd;
        if (text[contentEnd] == Unit('\r') && contentEnd + 1 < text.size() &&
            text[contentEnd + 1] == Unit('\n'))
            return contentEnd + 2;
        return contentEnd + 1;
    }
};
