#pragma once
// A drop-down list of text items (CListLabelElementUI). Choosing an item, in
// the drop-down or from code, notifies "itemselect" (wParam = new index,
// lParam = old index) before returning; choosing the selected one again does
// nothing. With no item selected it shows its own text.
//
// The items are either added one by one (Add), or come as rows from a row
// source (SetRowSource), for long lists: then no element is made per row and
// the drop-down asks the source for the rows it shows. GetCount and
// GetRowText work either way; GetItemAt only for added items.

#include "ui/IListOwnerUI.h"
#include "ui/LabelUI.h"
#include "ui/ListRowSource.h"

#include <memory>
#include <vector>

class CListLabelElementUI;
class QComboBox;

class CComboUI : public CLabelUI, public IListOwnerUI, private IListRowView
{
public:
    ~CComboUI() override;
    QString GetClass() const override;

    int GetCount() const;
    QString GetRowText(int iIndex) const;
    CControlUI* GetItemAt(int iIndex) const;
    int GetItemIndex(CControlUI* pControl) const;
    // The combo takes ownership; only CListLabelElementUI items are accepted,
    // and none while the rows come from a source.
    bool Add(CControlUI* pControl);
    bool AddAt(CControlUI* pControl, int iIndex);
    bool Remove(CControlUI* pControl);
    bool RemoveAt(int iIndex);
    // Removes every item, and the row source.
    void RemoveAll();

    // Replaces the items by the source's rows; nothing is selected after.
    void SetRowSource(std::unique_ptr<CListRowSource> pSource);
    // The source when it holds text rows, or null.
    CTextRows* GetTextRows() const;
    // The text rows shown; a combo without them gets empty ones of that row
    // height first (added items go).
    CTextRows& UseTextRows(int iRowHeight);

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
    int GetRowHeight(int iIndex) const;
    // The box shows the selection (or the combo's own text).
    void ShowCurSel() const;
    void OnRowsInserted(int iRow, int iCount) override;
    void OnRowsRemoved(int iRow, int iCount) override;
    void OnRowChanged(int iRow) override;
    void Renumber(int from);

    friend class ComboRowModel;

    std::vector<CListLabelElementUI*> m_items;
    std::unique_ptr<CListRowSource> m_pSource;
    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
};
