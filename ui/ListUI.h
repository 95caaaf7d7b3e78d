#pragma once
// A scrolling column of items (CListLabelElementUI, CListContainerElementUI)
// with one selection. Selecting, by a click or from code, notifies
// "itemselect" (wParam = new index, lParam = old index) before returning.
// Removing the selected item leaves nothing selected, without a notification.

#include "ui/ContainerUI.h"
#include "ui/IListOwnerUI.h"

class IListItemUI;

class CListUI : public CContainerUI, public IListOwnerUI
{
public:
    CListUI();
    QString GetClass() const override;

    // Items must be list items; anything else is refused.
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
    void RemoveAll() override;

    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int iIndex, bool bTakeFocus = false, bool bTriggerEvent = true) override;
    // Scrolls the item into view.
    void EnsureVisible(int iIndex);

    const TListInfoUI& GetListInfo() const override { return m_ListInfo; }
    void OnItemTextChanged(CControlUI*) override {}

    void SetAttribute(const QString& name, const QString& value) override;

private:
    static IListItemUI* AsItem(CControlUI* pControl);
    void Renumber(int from);

    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
};
