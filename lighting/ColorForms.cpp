#include "lighting/ColorForms.h"

#include <algorithm>

namespace
{
int Shift(ColorComponent which)
{
    return 16 - 8 * static_cast<int>(which);
}
} // namespace

uint32_t ScreenColor(const Rgb0& stored)
{
    return 0xFF000000u | uint32_t{stored.r} << 16 | uint32_t{stored.g} << 8 | stored.b;
}

Rgb0 StoredColor(uint32_t screen)
{
    return Rgb0{static_cast<uint8_t>(screen >> 16), static_cast<uint8_t>(screen >> 8),
                static_cast<uint8_t>(screen), 0};
}

uint8_t GetComponent(uint32_t screen, ColorComponent which)
{
    return static_cast<uint8_t>(screen >> Shift(which));
}

uint32_t WithComponent(uint32_t screen, ColorComponent which, uint8_t value)
{
    const int shift = Shift(which);
    return 0xFF000000u | (screen & ~(0xFFu << shift)) | uint32_t{value} << shift;
}

ComponentText ReadComponent(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    // Saturates early: anything past 255 is clamped anyway, and a long run of
    // digits must not overflow.
    int value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
    {
        digits = true;
        value = std::min(value * 10 + (text[i] - u'0'), 1000);
    }
    if (!digits || value == 0)
        return {0, false};
    if (negative)
        return {0, true};
    if (value > 255)
        return {255, true};
    return {static_cast<uint8_t>(value), false};
}
