#pragma once
// The rows of "macro_action_list": the actions of the macro in the editor,
// each shown by an item of "macrolistitem.xml" (what it presses, press or
// release or the move's distances, its delay). Items are made only for the
// rows on screen.

#include "macros/MacroData.h"
#include "ui/ListRowSource.h"

#include <vector>

class CPaintManagerUI;

// The mouse buttons' codes of a press or release, left (0xF0) to forward.
inline constexpr uint8_t kMouseLeft = 0xF0;
inline constexpr uint8_t kMouseForward = 0xF4;
bool IsMouseButton(uint8_t code);
// The shown name of a usage or mouse code, in the loaded language.
QString KeyName(int usage);

class CMacroActionRows : public CListRowSource
{
public:
    explicit CMacroActionRows(CPaintManagerUI* pManager);

    int GetRowCount() const override { return static_cast<int>(m_rows.size()); }
    QString GetRowText(int iRow) const override;
    CControlUI* CreateRowElement() const override;
    void FillRowElement(int iRow, CControlUI* pElement) const override;

    // Every row anew, as listed first.
    void SetActions(const MacroAction* actions, int count);
    void Insert(int iRow, const MacroAction& action);
    void Remove(int iRow);
    // An action changed in place; it is shown as redrawn (a mouse button's
    // picture sits elsewhere then).
    void Redraw(int iRow, const MacroAction& action);
    // Only the delay changed, as while recording.
    void SetDelay(int iRow, uint16_t wDelay);

private:
    struct Row
    {
        MacroAction action;
        bool bRedrawn;
    };
    bool IsRow(int iRow) const { return iRow >= 0 && iRow < GetRowCount(); }

    CPaintManagerUI* m_pManager;
    std::vector<Row> m_rows;
};
