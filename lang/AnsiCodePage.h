#pragma once

#include <string>
#include <string_view>

class IconvConverter;

// The 8-bit code page in which texts are stored and cross the protocol library.
// It is the code set of the process's LC_CTYPE locale; Windows-1252 under the
// C/POSIX locale. Characters the code page cannot represent become '?'.
class AnsiCodePage {
public:
    // Overrides the code set for the whole process ("" goes back to the locale's).
    static void SetCodeSet(const std::string& name);
    static std::string CodeSet();

    // The converter of the current code set, for callers converting many texts
    // in a row: the code set is looked up once, not once per text.
    static IconvConverter& Converter();

    static std::string FromWide(std::u16string_view text);
    // Returns the empty text when the bytes are not valid in the code page; *ok tells.
    static std::u16string ToWide(std::string_view text, bool* ok = nullptr);
    // Like ToWide, but every byte that starts no valid character becomes U+FFFD,
    // as file contents are decoded.
    static std::u16string ToWideReplacing(std::string_view text);
};
