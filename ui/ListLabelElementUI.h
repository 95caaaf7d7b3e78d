#pragma once
// A text item of a list or combo; give it a fixed height. Clicking it selects it
// in its list.

#include "ui/IListItemUI.h"
#include "ui/LabelUI.h"

class CListLabelElementUI : public CLabelUI, public IListItemUI
{
public:
    QString GetClass() const override;

    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int iIndex) override { m_iIndex = iIndex; }
    IListOwnerUI* GetOwner() const override { return m_pOwner; }
    void SetOwner(IListOwnerUI* pOwner) override { m_pOwner = pOwner; }
    bool IsSelected() const override { return m_bSelected; }
    void Select(bool bSelect) override;

    void SetText(const QString& text) override;
    void ReloadText() override;
    bool OnWidgetEvent(QEvent* event) override;

protected:
    void PaintBkColor(QPainter& painter, const QRect& rc) override;
    void PaintText(QPainter& painter, const QRect& rc) override;
    QRect TextRect(const QRect& rc) const override;
    QFont TextFont() const override;

private:
    int m_iIndex = -1;
    IListOwnerUI* m_pOwner = nullptr;
    bool m_bSelected = false;
};
