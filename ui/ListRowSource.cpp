#include "ui/ListRowSource.h"

#include "ui/ListLabelElementUI.h"

CControlUI* CListRowSource::CreateRowElement() const
{
    auto* item = new CListLabelElementUI;
    item->SetFixedHeight(m_iRowHeight);
    return item;
}

void CListRowSource::FillRowElement(int iRow, CControlUI* pElement) const
{
    pElement->SetText(GetRowText(iRow));
}

void CListRowSource::RowsInserted(int iRow, int iCount) const
{
    if (m_pView != nullptr)
        m_pView->OnRowsInserted(iRow, iCount);
}

void CListRowSource::RowsRemoved(int iRow, int iCount) const
{
    if (m_pView != nullptr)
        m_pView->OnRowsRemoved(iRow, iCount);
}

void CListRowSource::RowChanged(int iRow) const
{
    if (m_pView != nullptr)
        m_pView->OnRowChanged(iRow);
}

QString CTextRows::GetRowText(int iRow) const
{
    return IsRow(iRow) ? m_rows[static_cast<std::size_t>(iRow)].text : QString();
}

void CTextRows::FillRowElement(int iRow, CControlUI* pElement) const
{
    if (!IsRow(iRow))
        return;
    const TextRow& row = m_rows[static_cast<std::size_t>(iRow)];
    pElement->SetText(row.text);
    pElement->SetBkImage(row.bkImage);
}

void CTextRows::Insert(int iRow, TextRow row)
{
    if (iRow < 0 || iRow > GetRowCount())
        return;
    m_rows.insert(m_rows.begin() + iRow, std::move(row));
    RowsInserted(iRow, 1);
}

void CTextRows::Remove(int iRow)
{
    if (!IsRow(iRow))
        return;
    m_rows.erase(m_rows.begin() + iRow);
    RowsRemoved(iRow, 1);
}

void CTextRows::SetText(int iRow, const QString& text)
{
    if (!IsRow(iRow))
        return;
    m_rows[static_cast<std::size_t>(iRow)].text = text;
    RowChanged(iRow);
}
