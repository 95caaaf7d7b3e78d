#pragma once
// A bound macro as the 128-byte block the mouse plays, and the mouse's
// reading of such a block.

#include "device/ReportFraming.h"
#include "macros/MacroData.h"

#include <cstdint>
#include <vector>

struct ButtonData;

// Loop count, then one entry per copied action. An action whose entry does
// not fit whole ends the block: it and every later action are left out.
TransferBlock EncodeMacroBlock(const ButtonData& slot);

struct DecodedMacro
{
    uint16_t wLoopCount = 0;
    // byKind 0 move, 1 press, 2 release, 3 anything else; moves carry
    // kMacroCodeMouseMove. Delays are what the wire holds: tens of
    // milliseconds, twenties beyond 1270 ms.
    std::vector<MacroAction> aEvent;
};

DecodedMacro DecodeMacroBlock(const TransferBlock& block);
