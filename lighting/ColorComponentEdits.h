#pragma once
// The "r_edit", "g_edit" and "b_edit" boxes that show a colour as three
// decimal components and let the user type one of them.

#include "ui/UIDefs.h"

#include <QString>
#include <functional>
#include <optional>

class CControlUI;
class CEditUI;

class ColorComponentEdits
{
public:
    // Looks each box up through the owner's look-up of the controls it needs.
    void Find(const std::function<CEditUI*(const QString& name)>& need);
    // Writes the colour's red, green and blue as decimal texts.
    void Show(DWORD argb) const;
    // For a "textchanged" of one of the boxes: the colour with that component
    // replaced by the typed number, clamped to 0..255 (an out-of-range text is
    // rewritten). Nothing when the sender is not one of the boxes.
    std::optional<DWORD> Typed(const CControlUI* pSender, DWORD argb) const;

private:
    CEditUI* m_pEdit[3] = {nullptr, nullptr, nullptr};
};
