#pragma once
// A text, painted with the theme's font and colours. A one-line text that
// does not fit is cut with "..." and its tooltip gives the whole text.

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
    // True while the one-line text is wider than the room it is drawn in.
    virtual bool IsTextElided() const;

    bool OnWidgetEvent(QEvent* event) override;

protected:
    void PaintText(QPainter& painter, const QRect& rc) override;
    // Where the text goes inside the control's rectangle, and in which font.
    virtual QRect TextRect(const QRect& rc) const;
    virtual QFont TextFont() const;
    // The text as drawn in `room`: cut with "..." when it is too wide.
    QString FittedText(const QString& text, const QFont& font, int room) const;
    // The colour of the text in the control's present state.
    virtual DWORD GetStateTextColor() const;

    int m_uTextStyle;
    RECT m_rcTextPadding;
    bool m_bEndEllipsis = true;
};
