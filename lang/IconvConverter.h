#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

// A pair of iconv descriptors between one code set and UTF-16, opened once per
// code set and thread and kept for the life of the thread: loading a language
// file converts thousands of texts, and opening a converter costs far more than
// converting one.
class IconvConverter {
public:
    static IconvConverter& For(const std::string& codeSet);

    explicit IconvConverter(const std::string& codeSet);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    const std::string& CodeSet() const { return m_codeSet; }

    // Unrepresentable characters (and unpaired surrogates) become '?'.
    std::string FromWide(std::u16string_view text);
    // valid turns false at the first byte that starts no character.
    std::u16string ToWide(std::string_view text, bool& valid);
    // Every byte that starts no character becomes U+FFFD.
    std::u16string ToWideReplacing(std::string_view text);

private:
    static constexpr char16_t kReplacement = u'\uFFFD';

    bool Opened() const;
    bool DecodesAsciiUnchanged();
    std::string AsciiFromWide(std::u16string_view text) const;
    std::u16string Decode(std::string_view text, bool replaceInvalid, bool& valid);

    std::string m_codeSet;
    iconv_t m_fromWide;
    iconv_t m_toWide;
    // ASCII text passes both ways byte for byte; lets pure ASCII skip iconv.
    bool m_asciiCompatible = false;
};
