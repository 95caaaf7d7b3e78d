#pragma once
// The Windows mouse messages the hook reports as 0x0501's wParam (the extra
// buttons carry 1 back or 2 forward in lParam). The hook makes them and the
// macro recorder reads them.

#include <cstdint>

inline constexpr std::uintptr_t kMouseLeftDown = 513, kMouseLeftUp = 514, kMouseRightDown = 516,
                                kMouseRightUp = 517, kMouseMiddleDown = 519, kMouseMiddleUp = 520,
                                kMouseWheel = 522, kMouseExtraDown = 523, kMouseExtraUp = 524;
