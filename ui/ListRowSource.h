#pragma once
// Where a list or combo takes its rows from when there may be many: the
// source keeps the rows' data, the list makes elements only for the rows on
// screen and fills them again as they scroll. A source tells the list it is
// attached to about each change, so that one changed row redraws one element.

#include <QString>
#include <vector>

class CControlUI;

// What a list or combo does when its source changes; called after the change.
class IListRowView
{
public:
    virtual void OnRowsInserted(int iRow, int iCount) = 0;
    virtual void OnRowsRemoved(int iRow, int iCount) = 0;
    virtual void OnRowChanged(int iRow) = 0;

protected:
    ~IListRowView() = default;
};

class CListRowSource
{
public:
    explicit CListRowSource(int iRowHeight) : m_iRowHeight(iRowHeight) {}
    virtual ~CListRowSource() = default;
    CListRowSource(const CListRowSource&) = delete;
    CListRowSource& operator=(const CListRowSource&) = delete;

    virtual int GetRowCount() const = 0;
    virtual QString GetRowText(int iRow) const = 0;
    // Every row has this height.
    int GetRowHeight() const { return m_iRowHeight; }
    // A new element that can show any row; by default a text item.
    virtual CControlUI* CreateRowElement() const;
    // Shows row iRow in an element made by CreateRowElement.
    virtual void FillRowElement(int iRow, CControlUI* pElement) const;

    void SetView(IListRowView* pView) { m_pView = pView; }

protected:
    void RowsInserted(int iRow, int iCount) const;
    void RowsRemoved(int iRow, int iCount) const;
    void RowChanged(int iRow) const;

private:
    int m_iRowHeight;
    IListRowView* m_pView = nullptr;
};

// Rows of a text and an optional background image (a skin image string).
struct TextRow
{
    QString text;
    QString bkImage;
};

class CTextRows : public CListRowSource
{
public:
    using CListRowSource::CListRowSource;

    int GetRowCount() const override { return static_cast<int>(m_rows.size()); }
    QString GetRowText(int iRow) const override;
    void FillRowElement(int iRow, CControlUI* pElement) const override;

    // Filling before the source is given to a list tells nobody.
    void Reserve(std::size_t count) { m_rows.reserve(count); }
    void Insert(int iRow, TextRow row);
    void Append(TextRow row) { Insert(GetRowCount(), std::move(row)); }
    void Remove(int iRow);
    void SetText(int iRow, const QString& text);

private:
    bool IsRow(int iRow) const { return iRow >= 0 && iRow < GetRowCount(); }

    std::vector<TextRow> m_rows;
};
