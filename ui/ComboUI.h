#pragma once
// A drop-down list of text items (CListLabelElementUI). Choosing an item, in
// the drop-down or from code, notifies "itemselect" (wParam = new index,
// lParam = old index) before returning; choosing the selected one again does
// nothing. With no item selected it shows its own text.

#include "ui/IListOwnerUI.h"
#include "ui/LabelUI.h"

#include <vector>

class CListLabelElementUI;
class QComboBox;

class CComboUI : public CLabelUI, public IListOwnerUI
{
public:
    ~CComboUI() override;
    QString GetClass() const override;

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CControlUI* GetItemAt(int iIndex) const;
    int GetItemIndex(CControlUI* pControl) const;
    // The combo takes ownership; only CListLabelElementUI items are accepted.
    bool Add(CControlUI* pControl);
    bool AddAt(CControlUI* pControl, int iIndex);
    bool Remove(CControlUI* pControl);
    bool RemoveAt(int iIndex);
    void RemoveAll();

    int GetCurSel() const override { return m_iCurSel; }
    // An index of -1 clears the selection (without a notification).
    bool SelectItem(int iIndex, bool bTakeFocus = false, bool bTriggerEvent = true) override;
    const TListInfoUI& GetListInfo() const override { return m_ListInfo; }
    void OnItemTextChanged(CControlUI* pItem) override;

    // The selected item's text, or the combo's own text when none is selected.
    QString GetText() const override;
    void SetText(const QString& text) override;
    void ReloadText() override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent) override;

    // The wheel over a closed box only chooses while the box has the focus;
    // otherwise it scrolls what the box sits in.
    bool OnWidgetEvent(QEvent* event) override;
    // The closed box shows its choice cut with "..."; its tooltip gives it whole.
    bool IsTextElided() const override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget(QWidget* widget) override;

private:
    QComboBox* Box() const;
    void FillBox() const;

    std::vector<CListLabelElementUI*> m_items;
    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
};
