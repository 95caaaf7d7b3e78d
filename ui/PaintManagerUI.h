#pragma once
// The control tree of one window: its root, the controls' notifications to the
// window (and through it to the pages), names, option groups and control
// timers. Its static part holds the program-wide settings: the resource
// folder and the message loop.

#include "ui/UIDefs.h"

#include <QHash>
#include <QString>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class CControlUI;
class COptionUI;
class INotifyUI;
class QTimer;
class QWidget;
struct TNotifyUI;

class CPaintManagerUI
{
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // Program-wide set-up. The instance is accepted for the Windows shape and unused.
    static void SetInstance(void* hInstance);
    // The program's folder, ending in '/'.
    static QString GetInstancePath();
    // The folder skins, images and language files are found in; ends in '/'.
    // Setting it loads its theme.xml.
    static void SetResourcePath(const QString& path);
    static QString GetResourcePath();
    // 1 = files; the only kind there is.
    static void SetResourceType(int type);
    // Runs the event loop until PostQuitMessage; returns its exit code.
    static int MessageLoop();
    // Releases the caches.
    static void Term();
    // Every paint manager alive (the language reload walks them).
    static const std::vector<CPaintManagerUI*>& GetPaintManagers();
    template <typename T> static void DeletePtr(T* p) { delete p; }

    // Binds the manager to its window and to the widget the root is shown in.
    void Init(HWND hWnd, QWidget* host);
    HWND GetPaintWindow() const { return m_hWnd; }
    QWidget* GetHostWidget() const { return m_pHost; }

    // Takes ownership of the tree. Its widgets are made by ShowRoot, or
    // earlier by whatever asks a control for its widget.
    bool AttachDialog(CControlUI* pControl);
    // Shows the tree in the host widget, making the widgets still missing.
    void ShowRoot();
    CControlUI* GetRoot() const { return m_pRoot; }
    // Deletes the tree; from then on controls notify nobody.
    void ReapObjects();

    void AddNotifier(INotifyUI* pNotifier);
    void RemoveNotifier(INotifyUI* pNotifier);
    void SendNotify(CControlUI* pControl, const QString& type, WPARAM wParam = 0,
                    LPARAM lParam = 0);
    void SendNotify(TNotifyUI& msg);

    // The first control of that name in the tree's order. Runs of look-ups
    // (a page finds dozens of controls) share one index of the tree's names,
    // made again on the second look-up after any tree changes, so a change
    // followed by one look-up costs no more than a walk.
    CControlUI* FindControl(const QString& name) const;
    // Tab and Backtab: the focus goes to the next (previous) shown, enabled
    // control that takes the focus, in the order the skin lays them out,
    // whenever their widgets were made. False when there is none.
    bool MoveFocus(bool bNext) const;
    CControlUI* FindSubControlByName(CControlUI* pParent, const QString& name) const;

    // A repeating timer: every uElapse ms the control notifies "timer" with
    // wParam = nTimerID, until KillTimer. Setting it again restarts it.
    bool SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
    bool KillTimer(CControlUI* pControl, UINT nTimerID);
    void KillTimer(CControlUI* pControl);

    // Lays the whole tree out again and repaints it.
    void NeedUpdate();

    void AddOptionGroup(const QString& group, COptionUI* pOption);
    void RemoveOptionGroup(const QString& group, COptionUI* pOption);
    std::vector<COptionUI*> GetOptionGroup(const QString& group) const;

    // The part of the window that moves it when dragged ("caption" of the skin).
    RECT GetCaptionRect() const { return m_rcCaption; }
    void SetCaptionRect(RECT rc) { m_rcCaption = rc; }
    SIZE GetInitSize() const { return m_szInitWindowSize; }
    void SetInitSize(int cx, int cy) { m_szInitWindowSize = SIZE{cx, cy}; }

    // A control is going away: forget everything that points at it.
    void ReapControl(CControlUI* pControl);
    // The root follows the host widget's size.
    void ResizeRoot();

private:
    HWND m_hWnd = nullptr;
    QWidget* m_pHost = nullptr;
    CControlUI* m_pRoot = nullptr;
    bool m_bReaping = false;
    std::vector<INotifyUI*> m_notifiers;
    std::map<std::pair<CControlUI*, UINT>, QTimer*> m_timers;
    std::map<QString, std::vector<COptionUI*>> m_optionGroups;
    RECT m_rcCaption;
    SIZE m_szInitWindowSize;
    mutable QHash<QString, CControlUI*> m_nameIndex;
    mutable const CControlUI* m_indexedRoot = nullptr;
    mutable quint64 m_indexedGeneration = 0;
    mutable quint64 m_walkedGeneration = 0;
};
