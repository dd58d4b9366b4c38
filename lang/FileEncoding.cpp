#include "FileEncoding.h"

#include "AnsiCodePage.h"
#include "Utf8Codec.h"

namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

FileEncoding FileEncoding::Detect(std::string_view bytes)
{
    if (bytes.starts_with(kUtf16LeBom))
        return FileEncoding(Kind::Utf16Le, kUtf16LeBom.size());
    if (bytes.starts_with(kUtf16BeBom))
        return FileEncoding(Kind::Utf16Be, kUtf16BeBom.size());
    if (bytes.starts_with(kUtf8Bom))
        return FileEncoding(Kind::Utf8, kUtf8Bom.size());
    return FileEncoding(Utf8Codec::IsValid(bytes) ? Kind::Utf8 : Kind::CodePage);
}

std::u16string FileEncoding::Decode(std::string_view bytes) const
{
    switch (m_kind) {
    case Kind::Utf16Le:
    case Kind::Utf16Be:
        return DecodeUtf16(bytes);
    case Kind::Utf8:
        return Utf8Codec::Decode(bytes);
    case Kind::CodePage:
        break;
    }
    return AnsiCodePage::ToWideReplacing(bytes);
}

std::string FileEncoding::Encode(std::u16string_view text) const
{
    switch (m_kind) {
    case Kind::Utf16Le:
    case Kind::Utf16Be:
        return EncodeUtf16(text);
    case Kind::Utf8:
        return Utf8Codec::Encode(text);
    case Kind::CodePage:
        break;
    }
    return AnsiCodePage::FromWide(text);
}

std::u16string FileEncoding::DecodeUtf16(std::string_view bytes) const
{
    const bool littleEndian = m_kind == Kind::Utf16Le;
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = littleEndian ? static_cast<char16_t>(first | (second << 8))
                               : static_cast<char16_t>((first << 8) | second);
    }
    return text;
}

std::string FileEncoding::EncodeUtf16(std::u16string_view text) const
{
    const bool littleEndian = m_kind == Kind::Utf16Le;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes.push_back(littleEndian ? low : high);
        bytes.push_back(littleEndian ? high : low);
    }
    return bytes;
}
