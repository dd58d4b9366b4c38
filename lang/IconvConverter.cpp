#include "IconvConverter.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

const char* NativeUtf16()
{
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

bool IsAscii(std::u16string_view text)
{
    for (char16_t unit : text)
        if (unit >= 0x80)
            return false;
    return true;
}

bool IsAscii(std::string_view text)
{
    for (char byte : text)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Units that make up the character at the start of text (a surrogate pair is one).
size_t CharacterUnits(std::u16string_view text)
{
    return text.size() >= 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]) ? 2 : 1;
}

}  // namespace

IconvConverter& IconvConverter::For(const std::string& codeSet)
{
    thread_local std::vector<std::unique_ptr<IconvConverter>> converters;
    for (auto& converter : converters)
        if (converter->CodeSet() == codeSet)
            return *converter;
    converters.push_back(std::make_unique<IconvConverter>(codeSet));
    return *converters.back();
}

IconvConverter::IconvConverter(const std::string& codeSet)
    : m_codeSet(codeSet),
      m_fromWide(iconv_open(codeSet.c_str(), NativeUtf16())),
      m_toWide(iconv_open(NativeUtf16(), codeSet.c_str()))
{
    if (m_fromWide == kNoDescriptor || m_toWide == kNoDescriptor) {
        // An unknown code set converts as plain ASCII.
        if (m_fromWide != kNoDescriptor)
            iconv_close(m_fromWide);
        if (m_toWide != kNoDescriptor)
            iconv_close(m_toWide);
        m_fromWide = m_toWide = kNoDescriptor;
        m_asciiCompatible = true;
        return;
    }
    m_asciiCompatible = DecodesAsciiUnchanged();
}

IconvConverter::~IconvConverter()
{
    if (Opened()) {
        iconv_close(m_fromWide);
        iconv_close(m_toWide);
    }
}

bool IconvConverter::Opened() const { return m_fromWide != kNoDescriptor; }

bool IconvConverter::DecodesAsciiUnchanged()
{
    std::string ascii;
    for (char byte = 1; byte < 0x7F; ++byte)
        ascii.push_back(byte);
    ascii.push_back(0x7F);
    bool valid = true;
    std::u16string wide = Decode(ascii, false, valid);
    return valid && wide == std::u16string(ascii.begin(), ascii.end());
}

std::string IconvConverter::AsciiFromWide(std::u16string_view text) const
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        size_t units = CharacterUnits(text);
        out.push_back(text[0] < 0x80 ? static_cast<char>(text[0]) : '?');
        text.remove_prefix(units);
    }
    return out;
}

std::string IconvConverter::FromWide(std::u16string_view text)
{
    if (m_asciiCompatible && IsAscii(text))
        return std::string(text.begin(), text.end());
    if (!Opened())
        return AsciiFromWide(text);

    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    size_t inLeft = text.size() * sizeof(char16_t);
    char* outPtr = out.data();
    size_t outLeft = out.size();
    iconv(m_fromWide, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(m_fromWide, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG || outLeft < 8) {
            size_t used = static_cast<size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ: unrepresentable or unpaired; EINVAL: a lone surrogate at the end.
        std::u16string_view rest(reinterpret_cast<const char16_t*>(in), inLeft / sizeof(char16_t));
        size_t skip = CharacterUnits(rest) * sizeof(char16_t);
        *outPtr++ = '?';
        --outLeft;
        in += skip;
        inLeft -= skip;
    }
    iconv(m_fromWide, nullptr, nullptr, &outPtr, &outLeft);
    out.resize(static_cast<size_t>(outPtr - out.data()));
    return out;
}

std::u16string IconvConverter::ToWide(std::string_view text, bool& valid)
{
    valid = true;
    return Decode(text, false, valid);
}

std::u16string IconvConverter::ToWideReplacing(std::string_view text)
{
    bool valid = true;
    return Decode(text, true, valid);
}

std::u16string IconvConverter::Decode(std::string_view text, bool replaceInvalid, bool& valid)
{
    if (m_asciiCompatible && IsAscii(text))
        return std::u16string(text.begin(), text.end());
    if (!Opened()) {
        std::u16string out;
        for (char byte : text) {
            bool ascii = static_cast<unsigned char>(byte) < 0x80;
            if (!ascii && !replaceInvalid) {
                valid = false;
                return {};
            }
            out.push_back(ascii ? static_cast<char16_t>(byte) : kReplacement);
        }
        return out;
    }

    std::u16string out(text.size() * 2 + 8, u'\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(char16_t);
    iconv(m_toWide, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(m_toWide, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG || outLeft < 2 * sizeof(char16_t)) {
            size_t used = static_cast<size_t>(outPtr - reinterpret_cast<char*>(out.data()));
            out.resize(out.size() * 2);
            outPtr = reinterpret_cast<char*>(out.data()) + used;
            outLeft = out.size() * sizeof(char16_t) - used;
            continue;
        }
        if (!replaceInvalid) {
            valid = false;
            return {};
        }
        const char16_t replacement = kReplacement;
        std::memcpy(outPtr, &replacement, sizeof replacement);
        outPtr += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
    }
    out.resize(static_cast<size_t>(outPtr - reinterpret_cast<char*>(out.data())) / sizeof(char16_t));
    return out;
}
