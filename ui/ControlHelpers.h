#pragma once
// Small look-ups the pages share over their arrays of controls.

#include "ui/ControlUI.h"
#include "ui/PaintManagerUI.h"

#include <QString>

#include <cstddef>

// Index of the sender among the controls, or -1.
template <typename T, size_t N> int IndexOf(T* const (&controls)[N], const CControlUI* pSender)
{
    for (size_t i = 0; i < N; ++i)
        if (pSender != nullptr && controls[i] == pSender)
            return static_cast<int>(i);
    return -1;
}

// The named control as the type the page expects; null when missing or of another type.
template <typename T> T* FindControlAs(const CPaintManagerUI& pm, const QString& name)
{
    return dynamic_cast<T*>(pm.FindControl(name));
}
