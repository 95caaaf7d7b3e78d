#pragma once
// Small look-ups the pages share over their arrays of controls.

#include "ui/ControlUI.h"

#include <cstddef>

// Index of the sender among the controls, or -1.
template <typename T, size_t N> int IndexOf(T* const (&controls)[N], const CControlUI* pSender)
{
    for (size_t i = 0; i < N; ++i)
        if (pSender != nullptr && controls[i] == pSender)
            return static_cast<int>(i);
    return -1;
}
