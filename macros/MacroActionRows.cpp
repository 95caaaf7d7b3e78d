#include "macros/MacroActionRows.h"

#include "model/KeyTables.h"
#include "ui/ContainerUI.h"
#include "ui/DialogBuilder.h"
#include "ui/ListContainerElementUI.h"
#include "ui/ResourceManager.h"

namespace
{
constexpr int kRowHeight = 30;
} // namespace

bool IsMouseButton(uint8_t code)
{
    return code >= kMouseLeft && code <= kMouseForward;
}

QString KeyName(int usage)
{
    const std::string_view name = UsageName(usage);
    const QString text = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
    return UsageNameIsTextKey(usage) ? CResourceManager::GetInstance()->GetText(text) : text;
}

CMacroActionRows::CMacroActionRows(CPaintManagerUI* pManager)
    : CListRowSource(kRowHeight), m_pManager(pManager)
{
}

QString CMacroActionRows::GetRowText(int iRow) const
{
    if (!IsRow(iRow))
        return QString();
    const MacroAction& action = m_rows[static_cast<std::size_t>(iRow)].action;
    if (action.byKind == kMacroKindMove)
        return CResourceManager::GetInstance()->GetText("mouse_move_text");
    if (action.byKind == kMacroKindPress || action.byKind == kMacroKindRelease)
        return KeyName(action.byCode);
    return QString();
}

CControlUI* CMacroActionRows::CreateRowElement() const
{
    CDialogBuilder builder;
    CControlUI* item =
        builder.Create(QStringLiteral("macrolistitem.xml"), QString(), nullptr, m_pManager);
    // Without its skin file the list still gets an item it can select.
    if (dynamic_cast<CListContainerElementUI*>(item) == nullptr)
    {
        delete item;
        item = new CListContainerElementUI;
        item->SetFixedHeight(kRowHeight);
    }
    return item;
}

void CMacroActionRows::FillRowElement(int iRow, CControlUI* pElement) const
{
    auto* item = dynamic_cast<CContainerUI*>(pElement);
    if (!IsRow(iRow) || item == nullptr)
        return;
    CControlUI* key = item->FindSubControl(QStringLiteral("key"));
    CControlUI* kind = item->FindSubControl(QStringLiteral("action"));
    CControlUI* delay = item->FindSubControl(QStringLiteral("delay"));
    if (key == nullptr || kind == nullptr || delay == nullptr)
        return;
    const Row& row = m_rows[static_cast<std::size_t>(iRow)];
    const MacroAction& action = row.action;
    delay->SetText(QString::number(action.wDelay));
    key->SetText(GetRowText(iRow));
    if (action.byKind == kMacroKindPress || action.byKind == kMacroKindRelease)
    {
        if (IsMouseButton(action.byCode))
            key->SetBkImage(row.bRedrawn
                                ? QStringLiteral("res='skins/mouse.png' dest='10,4,32,36'")
                                : QStringLiteral("res='skins/mouse.png' dest='2,2,28,28'"));
        else
            key->SetBkImage(QStringLiteral("res='skins/keyboard_key_action.png' dest='5,6,35,24'"));
        const bool press = action.byKind == kMacroKindPress;
        kind->SetText(
            CResourceManager::GetInstance()->GetText(press ? "key_down_action" : "key_up_action"));
        kind->SetBkImage(press ? QStringLiteral("res='skins/macro_key_down.png' dest='5,6,21,24'")
                               : QStringLiteral("res='skins/macro_key_up.png' dest='5,6,21,24'"));
    }
    else if (action.byKind == kMacroKindMove)
    {
        key->SetBkImage(QStringLiteral("res='skins/move.png' dest='2,2,28,28'"));
        kind->SetText(QStringLiteral("X: %1 Y: %2").arg(action.iX).arg(action.iY));
        kind->SetBkImage(QString());
    }
    else
    {
        // A reused item must not keep what it showed for another row.
        key->SetBkImage(QString());
        kind->SetText(QString());
        kind->SetBkImage(QString());
    }
}

void CMacroActionRows::SetActions(const MacroAction* actions, int count)
{
    const int old = GetRowCount();
    m_rows.clear();
    if (old > 0)
        RowsRemoved(0, old);
    for (int i = 0; i < count; ++i)
        m_rows.push_back(Row{actions[i], false});
    if (count > 0)
        RowsInserted(0, count);
}

void CMacroActionRows::Insert(int iRow, const MacroAction& action)
{
    if (iRow < 0 || iRow > GetRowCount())
        return;
    m_rows.insert(m_rows.begin() + iRow, Row{action, false});
    RowsInserted(iRow, 1);
}

void CMacroActionRows::Remove(int iRow)
{
    if (!IsRow(iRow))
        return;
    m_rows.erase(m_rows.begin() + iRow);
    RowsRemoved(iRow, 1);
}

void CMacroActionRows::Redraw(int iRow, const MacroAction& action)
{
    if (!IsRow(iRow))
        return;
    m_rows[static_cast<std::size_t>(iRow)] = Row{action, true};
    RowChanged(iRow);
}

void CMacroActionRows::SetDelay(int iRow, uint16_t wDelay)
{
    if (!IsRow(iRow))
        return;
    m_rows[static_cast<std::size_t>(iRow)].action.wDelay = wDelay;
    RowChanged(iRow);
}
