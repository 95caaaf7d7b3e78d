#pragma once
// The two forms a colour takes: stored in a profile as the bytes red, green,
// blue, 0, and on screen as 0xAARRGGBB. Also the reading of one typed colour
// component, shared by the lighting page and the colour picker.

#include "model/ProfileData.h"

#include <cstdint>
#include <string_view>

// Always opaque.
uint32_t ScreenColor(const Rgb0& stored);
// The alpha byte is dropped.
Rgb0 StoredColor(uint32_t screen);

enum class ColorComponent
{
    Red = 0,
    Green = 1,
    Blue = 2
};

uint8_t GetComponent(uint32_t screen, ColorComponent which);
// The colour with one component replaced, opaque.
uint32_t WithComponent(uint32_t screen, ColorComponent which, uint8_t value);

struct ComponentText
{
    uint8_t value;
    // The text was out of 0..255 and must be replaced by the value's digits.
    bool rewrite;
};

// A decimal integer at the start of the text (leading blanks and a sign
// allowed); no leading number reads as 0. Clamped to 0..255.
ComponentText ReadComponent(std::u16string_view text);
