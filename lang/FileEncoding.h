#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How a language file's bytes stand for text: UTF-16 when it opens with a UTF-16
// byte-order mark, UTF-8 when it opens with the UTF-8 mark or is valid UTF-8,
// else the ANSI code page.
class FileEncoding {
public:
    enum class Kind { Utf16Le, Utf16Be, Utf8, CodePage };

    static FileEncoding Detect(std::string_view bytes);
    explicit FileEncoding(Kind kind, size_t bomSize = 0) : m_kind(kind), m_bomSize(bomSize) {}

    Kind GetKind() const { return m_kind; }
    size_t BomSize() const { return m_bomSize; }
    bool IsUtf16() const { return m_kind == Kind::Utf16Le || m_kind == Kind::Utf16Be; }
    // Bytes per code unit: 2 for UTF-16, else 1.
    size_t UnitSize() const { return IsUtf16() ? 2 : 1; }

    // Decodes bytes that follow the byte-order mark. A last odd byte of UTF-16 is dropped.
    std::u16string Decode(std::string_view bytes) const;
    std::string Encode(std::u16string_view text) const;

private:
    std::u16string DecodeUtf16(std::string_view bytes) const;
    std::string EncodeUtf16(std::u16string_view text) const;

    Kind m_kind;
    size_t m_bomSize;
};
