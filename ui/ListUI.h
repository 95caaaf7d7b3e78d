#pragma once
// A scrolling column of items (CListLabelElementUI, CListContainerElementUI)
// with one selection. Selecting, by a click or from code, notifies
// "itemselect" (wParam = new index, lParam = old index) before returning.
// Removing the selected item leaves nothing selected, without a notification.
//
// The items are either added one by one (Add), or come as rows from a row
// source (SetRowSource): then only the rows on screen have an element, and
// scrolling fills the same elements with other rows. Either way GetCount and
// GetItemAt count rows; GetItemAt gives null for a row off screen.

#include "ui/ContainerUI.h"
#include "ui/IListOwnerUI.h"
#include "ui/ListRowSource.h"

#include <QMetaObject>
#include <climits>
#include <memory>

class IListItemUI;

class CListUI : public CContainerUI, public IListOwnerUI, private IListRowView
{
public:
    CListUI();
    ~CListUI() override;
    QString GetClass() const override;

    // Items must be list items; anything else is refused, as is any item
    // while the rows come from a source.
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
    // Removes every item, and the row source.
    void RemoveAll() override;

    // Replaces the items by the source's rows; nothing is selected after.
    void SetRowSource(std::unique_ptr<CListRowSource> pSource);
    CListRowSource* GetRowSource() const { return m_pSource.get(); }
    // The source when it holds text rows, or null.
    CTextRows* GetTextRows() const;
    // The text rows shown; a list without them gets empty ones of that row
    // height first (added items go).
    CTextRows& UseTextRows(int iRowHeight);

    int GetCount() const;
    CControlUI* GetItemAt(int iIndex) const;
    // The elements made so far (with a row source: at most the rows on screen).
    int GetElementCount() const { return CContainerUI::GetCount(); }

    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int iIndex, bool bTakeFocus = false, bool bTriggerEvent = true) override;
    // Scrolls the item into view.
    void EnsureVisible(int iIndex);

    const TListInfoUI& GetListInfo() const override { return m_ListInfo; }
    void OnItemTextChanged(CControlUI*) override {}
    bool SelectByKey(int key) override;

    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void InitWidget(QWidget* widget) override;
    bool OnWidgetEvent(QEvent* event) override;
    void Relayout() override;

private:
    static IListItemUI* AsItem(CControlUI* pControl);
    void Renumber(int from);

    void OnRowsInserted(int iRow, int iCount) override;
    void OnRowsRemoved(int iRow, int iCount) override;
    void OnRowChanged(int iRow) override;
    int RowPitch() const;
    // Sizes the scrolled area to every row, gives the rows on screen an
    // element and fills those of rows in [iDirtyFrom, iDirtyTo) again.
    void LayoutRows(int iDirtyFrom = INT_MAX, int iDirtyTo = INT_MAX);
    void FillElement(std::size_t slot, int iRow);

    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
    std::unique_ptr<CListRowSource> m_pSource;
    // The row each element of a row source shows; -1 for a spare one.
    std::vector<int> m_aElementRow;
    bool m_bLayingOutRows = false;
    bool m_bFocusLeftRow = false;
    QMetaObject::Connection m_scrolled;
};
