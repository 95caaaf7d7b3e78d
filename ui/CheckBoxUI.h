#pragma once
// A check box: a click toggles it and notifies "click" and then "checkclick"
// (wParam = the new state). Setting the state from code notifies nothing.
// Without images of its own it draws the theme's box and tick.

#include "ui/OptionUI.h"

class CCheckBoxUI : public COptionUI
{
public:
    CCheckBoxUI();
    QString GetClass() const override;

    bool GetCheck() const { return m_bSelected; }
    void SetCheck(bool bCheck);

    void Activate() override;

protected:
    void PaintStatusImage(QPainter& painter, const QRect& rc) override;
};
