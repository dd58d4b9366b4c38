#include "ProfileName.h"

char16_t ProfileName::Fold(char16_t unit)
{
    if (unit < 0x80)
        return unit >= u'A' && unit <= u'Z' ? unit + 0x20 : unit;
    if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7)
        return unit + 0x20;
    if (unit >= 0x0100 && unit <= 0x017F)
        return FoldLatinExtendedA(unit);
    if (unit >= 0x0391 && unit <= 0x03AB && unit != 0x03A2)
        return unit + 0x20;
    if (unit >= 0x0410 && unit <= 0x042F)
        return unit + 0x20;
    if (unit >= 0x0400 && unit <= 0x040F)
        return unit + 0x50;
    return unit;
}

char16_t ProfileName::FoldLatinExtendedA(char16_t unit)
{
    // Capital and small letters alternate; the pairing shifts at U+0138 and U+0149.
    const bool oddPaired = (unit >= 0x0139 && unit <= 0x0148) || (unit >= 0x0179 && unit <= 0x017E);
    const bool evenPaired = (unit <= 0x0137 && unit != 0x0130) || (unit >= 0x014A && unit <= 0x0177);
    if (unit == 0x0178)
        return 0x00FF;
    if ((oddPaired && unit % 2 == 1) || (evenPaired && unit % 2 == 0))
        return unit + 1;
    return unit;
}

bool ProfileName::Equal(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

size_t ProfileName::Hash(std::u16string_view name)
{
    // FNV-1a over the folded units.
    size_t hash = 14695981039346656037ull;
    for (char16_t unit : name) {
        hash ^= Fold(unit);
        hash *= 1099511628211ull;
    }
    return hash;
}
