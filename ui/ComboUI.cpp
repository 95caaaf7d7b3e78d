#include "ui/ComboUI.h"

#include "ui/ListLabelElementUI.h"
#include "ui/TNotifyUI.h"

#include <QComboBox>
#include <QEvent>
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

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        painter.drawComplexControl(QStyle::CC_ComboBox, opt);
        opt.currentText = ShownText();
        painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
    }
};
} // namespace

CComboUI::~CComboUI()
{
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

CControlUI* CComboUI::GetItemAt(int iIndex) const
{
    if (iIndex < 0 || iIndex >= GetCount())
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
    if (item == nullptr || iIndex < 0 || iIndex > GetCount())
        return false;
    m_items.insert(m_items.begin() + iIndex, item);
    item->SetManager(m_pManager, this);
    item->SetOwner(this);
    for (int i = iIndex; i < GetCount(); ++i)
        m_items[static_cast<size_t>(i)]->SetIndex(i);
    if (m_iCurSel >= iIndex)
        ++m_iCurSel;
    FillBox();
    return true;
}

bool CComboUI::Remove(CControlUI* pControl)
{
    return RemoveAt(GetItemIndex(pControl));
}

bool CComboUI::RemoveAt(int iIndex)
{
    if (iIndex < 0 || iIndex >= GetCount())
        return false;
    CListLabelElementUI* item = m_items[static_cast<size_t>(iIndex)];
    m_items.erase(m_items.begin() + iIndex);
    delete item;
    for (int i = iIndex; i < GetCount(); ++i)
        m_items[static_cast<size_t>(i)]->SetIndex(i);
    if (iIndex == m_iCurSel)
        m_iCurSel = -1;
    else if (iIndex < m_iCurSel)
        --m_iCurSel;
    FillBox();
    return true;
}

void CComboUI::RemoveAll()
{
    for (CListLabelElementUI* item : m_items)
        delete item;
    m_items.clear();
    m_iCurSel = -1;
    FillBox();
}

bool CComboUI::SelectItem(int iIndex, bool bTakeFocus, bool bTriggerEvent)
{
    if (iIndex == m_iCurSel)
        return true;
    const int iOldSel = m_iCurSel;
    if (iOldSel >= 0)
        m_items[static_cast<size_t>(iOldSel)]->Select(false);
    if (iIndex < 0 || iIndex >= GetCount())
    {
        m_iCurSel = -1;
        FillBox();
        return false;
    }
    m_iCurSel = iIndex;
    m_items[static_cast<size_t>(iIndex)]->Select(true);
    if (QComboBox* box = Box())
    {
        const QSignalBlocker block(box);
        box->setCurrentIndex(iIndex);
        if (bTakeFocus)
            box->setFocus(Qt::OtherFocusReason);
    }
    if (bTriggerEvent)
        SendNotify(DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(m_iCurSel), iOldSel);
    return true;
}

void CComboUI::OnItemTextChanged(CControlUI* pItem)
{
    const int index = GetItemIndex(pItem);
    if (QComboBox* box = Box(); box != nullptr && index >= 0)
        box->setItemText(index, pItem->GetText());
}

QString CComboUI::GetText() const
{
    if (CControlUI* item = GetItemAt(m_iCurSel))
        return item->GetText();
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
    // The styled delegate honours each item's fixed height.
    box->setItemDelegate(new QStyledItemDelegate(box));
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
    FillBox();
}

void CComboUI::FillBox() const
{
    QComboBox* box = Box();
    if (box == nullptr)
        return;
    const QSignalBlocker block(box);
    box->clear();
    for (int i = 0; i < GetCount(); ++i)
    {
        const CListLabelElementUI* item = m_items[static_cast<size_t>(i)];
        box->addItem(item->GetText());
        if (item->GetFixedHeight() > 0)
            box->setItemData(i, QSize(0, item->GetFixedHeight()), Qt::SizeHintRole);
    }
    box->setPlaceholderText(CLabelUI::GetText());
    box->setCurrentIndex(m_iCurSel);
}
