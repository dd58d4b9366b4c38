#pragma once

#include <string>
#include <string_view>

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
class Utf8Codec {
public:
    static bool IsValid(std::string_view bytes);
    // Every byte that starts no valid sequence becomes U+FFFD.
    static std::u16string Decode(std::string_view bytes);
    // An unpaired surrogate is written as U+FFFD.
    static std::string Encode(std::u16string_view text);

private:
    // Length of the valid sequence at the start of bytes and its code point; 0 when invalid.
    static size_t SequenceAt(std::string_view bytes, char32_t& codePoint);
    static void AppendUtf8(std::string& out, char32_t codePoint);
};
