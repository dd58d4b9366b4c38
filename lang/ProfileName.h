#pragma once

#include <cstddef>
#include <string_view>

// Section and key names compare without regard to letter case, as the
// private-profile functions do. Folds Latin, Greek and Cyrillic letters.
class ProfileName {
public:
    static char16_t Fold(char16_t unit);
    static bool Equal(std::u16string_view a, std::u16string_view b);
    static size_t Hash(std::u16string_view name);

    struct Hasher {
        size_t operator()(std::u16string_view name) const { return Hash(name); }
    };
    struct EqualTo {
        bool operator()(std::u16string_view a, std::u16string_view b) const { return Equal(a, b); }
    };

private:
    static char16_t FoldLatinExtendedA(char16_t unit);
};
