#include "ui/ComboUI.h"

#include "ui/ListLabelElementUI.h"
#include "ui/TNotifyUI.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QEvent>
#include <QListView>
#include <QHelpEvent>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>

namespace
{
// A closed box cuts a choice too long for it with "..." instead of clipping it.
class ElidingComboBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    QString ShownText() const
    {
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        const QRect field =
            style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        return fontMetrics().elidedText(currentText(), Qt::ElideRight, field.width());
    }

    // The drop-down's view and its frame are made when it first opens: a
    // start-up shows several boxes that are never opened.
    void showPopup() override
    {
        if (!m_viewReady)
        {
            m_viewReady = true;
            // The styled delegate honours each item's fixed height.
            setItemDelegate(new QStyledItemDelegate(this));
            // Rows are measured once, not each of thousands.
            if (auto* list = qobject_cast<QListView*>(view()))
                list->setUniformItemSizes(true);
        }
        QComboBox::showPopup();
    }

protected:
    // Until the drop-down exists a font change is the box's alone; QComboBox
    // would make the drop-down for it.
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange && !m_viewReady)
        {
            updateGeometry();
            QWidget::changeEvent(event);
            return;
        }
        QComboBox::changeEvent(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        painter.drawComplexControl(QStyle::CC_ComboBox, opt);
        opt.currentText = ShownText();
        painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
    }

private:
    bool m_viewReady = false;
};
} // namespace

// The box's rows, read from the combo as the drop-down shows them. It counts
// the rows itself, so that each change reaches the box as that one change.
class ComboRowModel : public QAbstractListModel
{
public:
    ComboRowModel(const CComboUI* combo, QObject* parent)
        : QAbstractListModel(parent), m_combo(combo), m_count(combo->GetCount())
    {
    }

    void Detach()
    {
        beginResetModel();
        m_combo = nullptr;
        m_count = 0;
        endResetModel();
    }
    void Inserted(int row, int count)
    {
        beginInsertRows(QModelIndex(), row, row + count - 1);
        m_count += count;
        endInsertRows();
    }
    void Removed(int row, int count)
    {
        beginRemoveRows(QModelIndex(), row, row + count - 1);
        m_count -= count;
        endRemoveRows();
    }
    void Changed(int row) { emit dataChanged(index(row), index(row)); }
    void Reset()
    {
        beginResetModel();
        m_count = m_combo != nullptr ? m_combo->GetCount() : 0;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : m_count;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (m_combo == nullptr || !index.isValid() || index.row() >= m_combo->GetCount())
            return QVariant();
        if (role == Qt::DisplayRole)
            return m_combo->GetRowText(index.row());
        if (role == Qt::SizeHintRole && m_combo->GetRowHeight(index.row()) > 0)
            return QSize(0, m_combo->GetRowHeight(index.row()));
        return QVariant();
    }

private:
    const CComboUI* m_combo;
    int m_count;
};

namespace
{
ComboRowModel* ModelOf(QComboBox* box)
{
    return box != nullptr ? static_cast<ComboRowModel*>(box->model()) : nullptr;
}
} // namespace

CComboUI::~CComboUI()
{
    if (ComboRowModel* model = ModelOf(Box()))
        model->Detach();
    for (CListLabelElementUI* item : m_items)
        delete item;
}

QString CComboUI::GetClass() const
{
    return QStringLiteral("Combo");
}

QComboBox* CComboUI::Box() const
{
    return static_cast<QComboBox*>(ExistingWidget());
}

int CComboUI::GetCount() const
{
    return m_pSource != nullptr ? m_pSource->GetRowCount() : static_cast<int>(m_items.size());
}

QString CComboUI::GetRowText(int iIndex) const
{
    if (m_pSource != nullptr)
        return iIndex >= 0 && iIndex < GetCount() ? m_pSource->GetRowText(iIndex) : QString();
    const CControlUI* item = GetItemAt(iIndex);
    return item != nullptr ? item->GetText() : QString();
}

int CComboUI::GetRowHeight(int iIndex) const
{
    if (m_pSource != nullptr)
        return m_pSource->GetRowHeight();
    const CControlUI* item = GetItemAt(iIndex);
    return item != nullptr ? item->GetFixedHeight() : 0;
}

CTextRows* CComboUI::GetTextRows() const
{
    return dynamic_cast<CTextRows*>(m_pSource.get());
}

CTextRows& CComboUI::UseTextRows(int iRowHeight)
{
    if (GetTextRows() == nullptr)
        SetRowSource(std::make_unique<CTextRows>(iRowHeight));
    return *GetTextRows();
}

CControlUI* CComboUI::GetItemAt(int iIndex) const
{
    if (m_pSource != nullptr || iIndex < 0 || iIndex >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(iIndex)];
}

int CComboUI::GetItemIndex(CControlUI* pControl) const
{
    auto it = std::find(m_items.begin(), m_items.end(), pControl);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CComboUI::Add(CControlUI* pControl)
{
    return AddAt(pControl, GetCount());
}

bool CComboUI::AddAt(CControlUI* pControl, int iIndex)
{
    auto* item = dynamic_cast<CListLabelElementUI*>(pControl);
    if (item == nullptr || m_pSource != nullptr || iIndex < 0 || iIndex > GetCount())
        return false;
    m_items.insert(m_items.begin() + iIndex, item);
    item->SetManager(m_pManager, this);
    item->SetOwner(this);
    Renumber(iIndex);
    OnRowsInserted(iIndex, 1);
    return true;
}

void CComboUI::Renumber(int from)
{
    for (int i = from; i < static_cast<int>(m_items.size()); ++i)
        m_items[static_cast<size_t>(i)]->SetIndex(i);
}

bool CComboUI::Remove(CControlUI* pControl)
{
    return RemoveAt(GetItemIndex(pControl));
}

bool CComboUI::RemoveAt(int iIndex)
{
    if (m_pSource != nullptr || iIndex < 0 || iIndex >= GetCount())
        return false;
    CListLabelElementUI* item = m_items[static_cast<size_t>(iIndex)];
    m_items.erase(m_items.begin() + iIndex);
    delete item;
    Renumber(iIndex);
    OnRowsRemoved(iIndex, 1);
    return true;
}

void CComboUI::RemoveAll()
{
    for (CListLabelElementUI* item : m_items)
        delete item;
    m_items.clear();
    m_pSource.reset();
    m_iCurSel = -1;
    if (ComboRowModel* model = ModelOf(Box()))
        model->Reset();
    ShowCurSel();
}

void CComboUI::SetRowSource(std::unique_ptr<CListRowSource> pSource)
{
    RemoveAll();
    m_pSource = std::move(pSource);
    if (m_pSource != nullptr)
        m_pSource->SetView(this);
    if (ComboRowModel* model = ModelOf(Box()))
        model->Reset();
    ShowCurSel();
}

void CComboUI::OnRowsInserted(int iRow, int iCount)
{
    if (m_iCurSel >= iRow)
        m_iCurSel += iCount;
    if (ComboRowModel* model = ModelOf(Box()))
        model->Inserted(iRow, iCount);
    ShowCurSel();
}

void CComboUI::OnRowsRemoved(int iRow, int iCount)
{
    if (m_iCurSel >= iRow + iCount)
        m_iCurSel -= iCount;
    else if (m_iCurSel >= iRow)
        m_iCurSel = -1;
    if (ComboRowModel* model = ModelOf(Box()))
        model->Removed(iRow, iCount);
    ShowCurSel();
}

void CComboUI::OnRowChanged(int iRow)
{
    if (ComboRowModel* model = ModelOf(Box()))
        model->Changed(iRow);
    Invalidate();
}

bool CComboUI::SelectItem(int iIndex, bool bTakeFocus, bool bTriggerEvent)
{
    if (iIndex == m_iCurSel)
        return true;
    const int iOldSel = m_iCurSel;
    if (iOldSel >= 0 && m_pSource == nullptr)
        m_items[static_cast<size_t>(iOldSel)]->Select(false);
    if (iIndex < 0 || iIndex >= GetCount())
    {
        m_iCurSel = -1;
        ShowCurSel();
        return false;
    }
    m_iCurSel = iIndex;
    if (m_pSource == nullptr)
        m_items[static_cast<size_t>(iIndex)]->Select(true);
    ShowCurSel();
    if (QComboBox* box = Box(); box != nullptr && bTakeFocus)
        box->setFocus(Qt::OtherFocusReason);
    if (bTriggerEvent)
        SendNotify(DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(m_iCurSel), iOldSel);
    return true;
}

void CComboUI::OnItemTextChanged(CControlUI* pItem)
{
    if (const int index = GetItemIndex(pItem); index >= 0)
        OnRowChanged(index);
}

QString CComboUI::GetText() const
{
    if (m_iCurSel >= 0 && m_iCurSel < GetCount())
        return GetRowText(m_iCurSel);
    return CLabelUI::GetText();
}

void CComboUI::SetText(const QString& text)
{
    m_sText = text;
    if (QComboBox* box = Box())
        box->setPlaceholderText(CLabelUI::GetText());
}

void CComboUI::ReloadText()
{
    CLabelUI::ReloadText();
    for (CListLabelElementUI* item : m_items)
        item->ReloadText();
    if (QComboBox* box = Box())
        box->setPlaceholderText(CLabelUI::GetText());
}

void CComboUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent)
{
    CLabelUI::SetManager(pManager, pParent);
    for (CListLabelElementUI* item : m_items)
        item->SetManager(pManager, this);
}

QWidget* CComboUI::CreateWidget(QWidget* parent)
{
    auto* box = new ElidingComboBox(parent);
    box->setModel(new ComboRowModel(this, box));
    box->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(box, &QComboBox::activated, box,
                     [this](int index)
                     {
                         // The box already shows the choice; the selection logic decides whether it
                         // changed.
                         SelectItem(index, false, true);
                     });
    return box;
}

bool CComboUI::IsTextElided() const
{
    const auto* box = static_cast<const ElidingComboBox*>(Box());
    return box != nullptr && box->ShownText() != box->currentText();
}

bool CComboUI::OnWidgetEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_sToolTip.isEmpty() && IsTextElided())
    {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), Box()->currentText(),
                           Box());
        return true;
    }
    if (event->type() == QEvent::Wheel)
    {
        const QWidget* box = ExistingWidget();
        if (box != nullptr && !box->hasFocus())
        {
            event->ignore();
            return true;
        }
    }
    return CLabelUI::OnWidgetEvent(event);
}

void CComboUI::InitWidget(QWidget* widget)
{
    CLabelUI::InitWidget(widget);
    if (ComboRowModel* model = ModelOf(Box()))
        model->Reset();
    ShowCurSel();
}

void CComboUI::ShowCurSel() const
{
    QComboBox* box = Box();
    if (box == nullptr)
        return;
    const QSignalBlocker block(box);
    box->setPlaceholderText(CLabelUI::GetText());
    box->setCurrentIndex(m_iCurSel);
    box->update();
}
