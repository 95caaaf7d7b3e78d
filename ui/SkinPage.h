#pragma once
// A page of a window's skin, registered as its virtual window. The page looks
// its controls up once; when the skin lacks one it needs, the page says so
// once and stays inert: notifications of its controls no longer reach its
// handlers, and its entry points return at once (they check IsUsable).

#include "ui/NotifyPump.h"
#include "ui/SkinControls.h"
#include "ui/UIDefs.h"

#include <QString>
#include <utility>

class CSkinPage : public CNotifyPump
{
public:
    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
    // False until the look-up ended with every control found.
    bool IsUsable() const { return m_bUsable; }

protected:
    // skinFile: the part of the skin that holds the page ("macro.xml").
    explicit CSkinPage(QString skinFile) : m_strSkinFile(std::move(skinFile)) {}

    template <typename T = CControlUI> T* NeedControl(const QString& name)
    {
        return m_needed.Need<T>(*m_pPaintManager, name);
    }
    // After the last NeedControl: whether the page can work (IsUsable).
    bool EndLookUp();
    bool LoopDispatch(TNotifyUI& msg) override;

    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;

private:
    QString m_strSkinFile;
    SkinControls m_needed;
    bool m_bUsable = false;
};
