#include "device/MacroBlock.h"

#include "model/ProfileData.h"

#include <algorithm>

namespace
{

constexpr uint8_t kMoveMarker = 0xFB;
constexpr int kKindOther = 3;

// Entries longer than 1270 ms carry the delay in twenties after this pair.
constexpr uint8_t kLongDelay[2] = {0x00, 0x01};

std::vector<uint8_t> EncodeEvent(const MacroAction& e)
{
    const int d = e.wDelay;
    const auto x = static_cast<uint16_t>(e.iX);
    const auto y = static_cast<uint16_t>(e.iY);
    const auto lo = [](uint16_t v) { return static_cast<uint8_t>(v); };
    const auto hi = [](uint16_t v) { return static_cast<uint8_t>(v >> 8); };

    if (d <= 1270)
    {
        const auto units = static_cast<uint8_t>(d / 10);
        switch (e.byKind)
        {
        case 0:
            return {units, kMoveMarker, lo(x), hi(x), lo(y), hi(y)};
        case 1:
            return {static_cast<uint8_t>(units | 0x01), e.byCode};
        case 2:
            return {static_cast<uint8_t>(units | 0x81), e.byCode};
        default:
            return {units, e.byCode};
        }
    }
    const int w = d / 20;
    const auto u = static_cast<uint8_t>((d - 20 * w + 5) / 10);
    const auto wh = static_cast<uint8_t>(w >> 8);
    const auto wl = static_cast<uint8_t>(w);
    switch (e.byKind)
    {
    case 0:
        return {0x00, kMoveMarker, lo(x), hi(x), lo(y), hi(y), 0x00, 0x01, wh, wl};
    case 1:
        return {u, e.byCode, 0x00, 0x01, wh, wl};
    case 2:
        return {static_cast<uint8_t>(u | 0x80), e.byCode, 0x00, 0x01, wh, wl};
    default:
        return {0x00, 0x00, 0x00, 0x01, wh, wl};
    }
}

} // namespace

TransferBlock EncodeMacroBlock(const ButtonData& slot)
{
    TransferBlock block{};
    if (slot.wEventCount == 0)
        return block;
    block[0] = static_cast<uint8_t>(slot.iLibValue >> 8);
    block[1] = static_cast<uint8_t>(slot.iLibValue);

    std::size_t pos = 2;
    const int count = std::min<int>(slot.wEventCount, kMacroMaxActions);
    for (int i = 0; i < count; ++i)
    {
        std::vector<uint8_t> entry = EncodeEvent(slot.aEvent[i]);
        if (pos + entry.size() > block.size())
            break;
        std::copy(entry.begin(), entry.end(), block.begin() + pos);
        pos += entry.size();
    }
    return block;
}

DecodedMacro DecodeMacroBlock(const TransferBlock& block)
{
    DecodedMacro macro;
    macro.wLoopCount = static_cast<uint16_t>(block[0] << 8 | block[1]);

    auto longDelayAt = [&block](std::size_t at) {
        return at + 4 <= block.size() && block[at] == kLongDelay[0] &&
               block[at + 1] == kLongDelay[1];
    };
    std::size_t pos = 2;
    while (pos + 2 <= block.size())
    {
        const uint8_t a = block[pos];
        const uint8_t b = block[pos + 1];
        if (a == 0 && b == 0 && !longDelayAt(pos + 2))
            break; // the zero fill after the last entry

        MacroAction e{};
        std::size_t size = 2;
        if (b == kMoveMarker)
        {
            if (pos + 6 > block.size())
                break;
            e.byKind = 0;
            e.byCode = kMacroCodeMouseMove;
            e.iX = static_cast<int16_t>(block[pos + 2] | block[pos + 3] << 8);
            e.iY = static_cast<int16_t>(block[pos + 4] | block[pos + 5] << 8);
            size = 6;
        }
        else
        {
            e.byCode = b;
            if (a & 0x80)
                e.byKind = 2;
            else if ((a & 0x01) || (longDelayAt(pos + 2) && b != 0))
                e.byKind = 1; // a long press keeps only its remainder in byte 0
            else
                e.byKind = kKindOther;
        }
        // Bit 0 marks a press and bit 7 a release; the delay is the rest.
        const int units = (e.byKind == 1 || e.byKind == 2) ? (a & 0x7E) : a;
        if (longDelayAt(pos + size))
        {
            const int w = block[pos + size + 2] << 8 | block[pos + size + 3];
            const int remainder = (e.byKind == 1 || e.byKind == 2) ? (a & 0x7F) : 0;
            e.wDelay = static_cast<uint16_t>(20 * w + 10 * remainder);
            size += 4;
        }
        else
        {
            e.wDelay = static_cast<uint16_t>(units * 10);
        }
        macro.aEvent.push_back(e);
        pos += size;
    }
    return macro;
}
