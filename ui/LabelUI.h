#pragma once
// A text, painted with the theme's font and colours.

#include "ui/ControlUI.h"

class CLabelUI : public CControlUI
{
public:
    CLabelUI();
    QString GetClass() const override;

    // Qt alignment flags of the text.
    int GetTextStyle() const { return m_uTextStyle; }
    void SetTextStyle(int flags);
    RECT GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(RECT rc);

    void SetAttribute(const QString& name, const QString& value) override;
    // The height its text takes, wrapped as it is drawn, in a label `width` wide.
    int GetTextHeight(int width) const;

protected:
    void PaintText(QPainter& painter, const QRect& rc) override;
    // The colour of the text in the control's present state.
    virtual DWORD GetStateTextColor() const;

    int m_uTextStyle;
    RECT m_rcTextPadding;
    bool m_bEndEllipsis = false;
};
