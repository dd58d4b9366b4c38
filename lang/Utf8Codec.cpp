#include "Utf8Codec.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the run of ASCII bytes at the start of bytes, eight at a time.
size_t AsciiRun(std::string_view bytes)
{
    size_t n = 0;
    while (n + 8 <= bytes.size()) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + n, sizeof word);
        if (word & 0x8080808080808080ull)
            break;
        n += 8;
    }
    while (n < bytes.size() && static_cast<unsigned char>(bytes[n]) < 0x80)
        ++n;
    return n;
}

}  // namespace

size_t Utf8Codec::SequenceAt(std::string_view bytes, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    size_t length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!IsContinuation(byte))
            return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate)
        return 0;
    return length;
}

bool Utf8Codec::IsValid(std::string_view bytes)
{
    char32_t codePoint;
    while (!bytes.empty()) {
        // ASCII runs dominate language files; step over them without decoding.
        bytes.remove_prefix(AsciiRun(bytes));
        if (bytes.empty())
            break;
        size_t length = SequenceAt(bytes, codePoint);
        if (length == 0)
            return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::u16string Utf8Codec::Decode(std::string_view bytes)
{
    // No sequence gives more units than it has bytes: write in place, cut at the end.
    std::u16string out(bytes.size(), u'\0');
    char16_t* unit = out.data();
    char32_t codePoint;
    while (!bytes.empty()) {
        const size_t run = AsciiRun(bytes);
        for (size_t i = 0; i < run; ++i)
            unit[i] = static_cast<unsigned char>(bytes[i]);
        unit += run;
        bytes.remove_prefix(run);
        if (bytes.empty())
            break;
        size_t length = SequenceAt(bytes, codePoint);
        if (length == 0)
            codePoint = kReplacement;
        if (codePoint < 0x10000) {
            *unit++ = static_cast<char16_t>(codePoint);
        } else {
            *unit++ = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            *unit++ = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        }
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    out.resize(static_cast<size_t>(unit - out.data()));
    return out;
}

std::string Utf8Codec::Encode(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
            text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

void Utf8Codec::AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}
