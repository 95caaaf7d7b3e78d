#pragma once
// A list item made of controls in a row, typically built from a skin file with
// CDialogBuilder and filled through FindSubControl. Clicking anywhere on it
// selects it in its list.

#include "ui/ContainerUI.h"
#include "ui/IListItemUI.h"

class CListContainerElementUI : public CContainerUI, public IListItemUI
{
public:
    CListContainerElementUI();
    QString GetClass() const override;

    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int iIndex) override { m_iIndex = iIndex; }
    IListOwnerUI* GetOwner() const override { return m_pOwner; }
    void SetOwner(IListOwnerUI* pOwner) override { m_pOwner = pOwner; }
    bool IsSelected() const override { return m_bSelected; }
    void Select(bool bSelect) override;

    bool OnWidgetEvent(QEvent* event) override;

protected:
    void PaintBkColor(QPainter& painter, const QRect& rc) override;

private:
    int m_iIndex = -1;
    IListOwnerUI* m_pOwner = nullptr;
    bool m_bSelected = false;
};
