#pragma once
// The program's main window and coordinator: the five pages, the profile bar,
// the language list, the tray icon and its menu, applies, the DPI popup, and
// the device link, whose calls back into the windows it answers.

#include "app/StartupData.h"
#include "buttons/ButtonPage.h"
#include "device/DeviceLink.h"
#include "device/DeviceLinkHost.h"
#include "device/DeviceMessageSink.h"
#include "guns/GunPage.h"
#include "lighting/LightPage.h"
#include "macros/MacroPage.h"
#include "model/BackgroundSave.h"
#include "model/DataFolderLock.h"
#include "model/LoadReport.h"
#include "model/UnappliedChanges.h"
#include "performance/PerformancePage.h"
#include "ui/TrayIcon.h"
#include "ui/WindowImplBase.h"

#include <QIcon>
#include <QImage>
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

class CComboUI;
class CDPIMsg;
class CEditUI;
class CMenuWnd;
class COptionUI;
class CTabLayoutUI;
class PointerSettingsBackend;

inline constexpr UINT WM_SHOW_MAIN_WINDOW = WM_USER + 13; // 0x040D, from a second copy
inline constexpr UINT WM_REFRESH_BUTTONS = 0x0467;
inline constexpr UINT WM_HOOK_KEY = 0x0500;
inline constexpr UINT WM_HOOK_MOUSE = 0x0501;
// An apply finished on the device thread (wParam its ApplyOutcome); the
// files are written and the outcome told here.
inline constexpr UINT WM_APPLY_DONE = 0x0671;
// A page's save finished; wParam points to its SaveResult (sent, not posted).
inline constexpr UINT WM_SAVE_DONE = 0x0672;
// Data files could not be written on the saving thread (posted; the window
// keeps which).
inline constexpr UINT WM_BACKGROUND_SAVE_FAILED = 0x0673;
// The saving thread made a buffer a save waits for (BackgroundSave::FillPrepared).
inline constexpr UINT WM_SAVE_BUFFER_READY = 0x0674;
// The device thread ended the start-up exchange with the mouse: the
// firmware check may offer the updater now.
inline constexpr UINT WM_STARTUP_READ = 0x0675;
inline constexpr UINT kDpiPopupTimer = 52;
inline constexpr UINT kDpiPopupMilliseconds = 2000;
inline constexpr UINT kApplyStatusTimer = 53;
inline constexpr UINT kApplyStatusMilliseconds = 5000;

// What the window needs from the process that makes it.
struct MainWndSetup
{
    StartupFolders folders;
    DriverBinder bindDriver;
    // Tells a mouse without permission from no mouse for the no-device message.
    std::function<MouseAccess(uint32_t vid, uint32_t pid)> probeAccess;
    PointerSettingsBackend* pointer = nullptr;
    SleepFunction sleep = SleepMilliseconds;
    uint16_t uiLanguageId = 0x0409; // the system's, for a language never chosen
};

class CMainWnd : public WindowImplBase, public DeviceLinkHost, public DeviceMessageSink
{
    // vestrelctl's commands refresh the profile bar and the pages as the
    // window's own changes do.
    friend class CCtlRequests;

public:
    explicit CMainWnd(MainWndSetup setup);
    ~CMainWnd() override;

    // Shows the window when the mouse is there, otherwise the no-device message.
    void ShowMainWindow();
    DeviceLink* GetDeviceLink() const { return m_pDeviceLink.get(); }
    CDPIMsg* GetDpiPopup() const { return m_pDPIMsg; }
    CTrayIcon& GetTrayIcon() { return m_trayIcon; }
    CMenuWnd* GetOpenMenu() const { return m_pMenu.get(); }

    // Every save of the program ends here: a failed one is told to the user,
    // once, naming the file and why. What is in memory stays, and the next
    // save writes it again.
    void ReportSave(const SaveResult& save);
    // Returns once every data file the window handed over is written (a
    // failure is then posted to the window).
    void FlushSaves() { m_saves.Flush(); }

    // Whether some profile differs from what was last applied of it.
    bool HasUnappliedChanges() const;
    // Leaves the program as the tray's Exit does: profile edits not yet
    // applied are first offered for Apply, Discard or Cancel (which stays).
    void ExitProgram();

    // DeviceLinkHost
    ProfileData* CurrentProfile() override;
    void HideMainWindow() override;
    void SelectDpiLevelOption(int32_t level) override;
    void SelectReportRateOption(int32_t option) override;
    void ShowButtonMode(int32_t mode) override;
    void PostDpiPopup(int32_t dpiStep) override;
    void SaveProfiles() override;
    int ShowMessage(std::string_view titleKey, std::string_view textKey, MessageOwner owner,
                    MessageKind kind) override;
    bool StartUpdater(const std::filesystem::path& program) override;
    void PostApplyDone(ApplyOutcome outcome) override;
    void PostStartupRead() override;

    // DeviceMessageSink: the driver's messages, queued for the UI thread.
    void PostDeviceMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

protected:
    QString GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    void InitWindow() override;
    void OnClick(TNotifyUI& msg) override;
    QString GetSkinFile() override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void Notify(TNotifyUI& msg) override;

private:
    void FindControls();
    void OnSelectChanged(TNotifyUI& msg);
    void OnItemSelect(TNotifyUI& msg);
    void OnMenuCommand(const QString& item);
    void OnTrayNotify(LPARAM mouseMessage);
    void OpenMenu(const QString& xml, POINT point);
    void HideToTray();

    // Profiles.
    void FillProfileList();
    void SelectProfile(int index);
    void AddProfile();
    void DeleteProfile();
    void RenameProfile();
    void ResetProfile();
    void ExportProfile();
    void ImportProfile();
    void AppendProfile(std::unique_ptr<ProfileData> profile, bool bSave);
    void ShowCurrentProfileName();
    void RefreshAfterProfileChange();
    int CurrentProfileIndex() const;

    // Damaged files found at start-up, and saves that failed on the way.
    void ReportLoadProblems(const LoadReport& report);
    void SaveAppState();
    // On the saving thread: a failure goes to the window, told there.
    void PostSaveFailure(const SaveResult& save);

    void SelectLanguage(int index);
    // The logo opens the language's website; without one it is not offered.
    void ShowLogoButton();
    void RequestApply();
    void OnApplyDone(ApplyOutcome outcome);
    // The mark on Apply while the current profile has edits not applied.
    void ShowApplyMark();
    // The bottom bar's outcome line; empty key: nothing.
    void ShowApplyStatus(const QString& textKey, bool bStays);
    // The title bar's mouse state and the tray tooltip.
    void ShowConnectionState();
    void ShowDpiPopup(int32_t dpiStep);
    void CloseDpiPopup();
    // A question in the message dialog over this window with its overlay; 1 for OK.
    UINT AskUser(const QString& msgKey);

    MainWndSetup m_setup;
    // Held for the whole run: this window is the data folder's one writer.
    DataFolderLock m_dataLock;
    // Where failures of the saves below are posted: the window while it exists.
    std::atomic<HWND> m_hSaveReports{nullptr};
    std::mutex m_failedSavesMutex;
    std::vector<SaveResult> m_failedSaves; // not told yet
    // The data files are written here, in the order they change; all of
    // them are on disk before the folder's lock goes.
    BackgroundSave m_saves;

    CButtonPage m_buttonPage;
    CPerformancePage m_performancePage;
    CLightPage m_lightPage;
    CMacroPage m_macroPage;
    CGunPage m_gunPage;

    std::unique_ptr<DeviceLink> m_pDeviceLink;
    UnappliedChanges m_unapplied;
    int m_iAppliesRunning = 0; // requested here and not yet done
    // The tray tooltip keeps the start-up language, with the mouse's state.
    QString m_strTrayConnected;
    QString m_strTrayAbsent;
    bool m_bProfileListChanged = false;
    std::unique_ptr<CMenuWnd> m_pMenu;
    CDPIMsg* m_pDPIMsg = nullptr;
    CTrayIcon m_trayIcon;
    QIcon m_icon;
    // logo.png, decoded on another core while the skin is built (a 256-pixel
    // PNG takes about a millisecond).
    std::future<QImage> m_logo;

    CControlUI* m_pExitBtn = nullptr;
    CControlUI* m_pMinBtn = nullptr;
    CControlUI* m_pSkinBtn = nullptr;
    CControlUI* m_pSettingBtn = nullptr;
    CControlUI* m_pLogoBtn = nullptr;
    COptionUI* m_pKeyBtn = nullptr;
    COptionUI* m_pPerformanceBtn = nullptr;
    COptionUI* m_pLightBtn = nullptr;
    COptionUI* m_pMacroBtn = nullptr;
    COptionUI* m_pGunBtn = nullptr;
    CTabLayoutUI* m_pConfigTab = nullptr;
    CTabLayoutUI* m_pMainTab = nullptr;
    CComboUI* m_pProfileCombo = nullptr;
    CControlUI* m_pAddProfileBtn = nullptr;
    CControlUI* m_pDeleteProfileBtn = nullptr;
    CControlUI* m_pMenuProfileBtn = nullptr;
    CEditUI* m_pProfileNameEdit = nullptr;
    CControlUI* m_pResetProfileBtn = nullptr;
    CControlUI* m_pApplyBtn = nullptr;
    CControlUI* m_pApplyRing = nullptr;
    CControlUI* m_pApplyStatus = nullptr;
    CControlUI* m_pConnectionState = nullptr;
    CComboUI* m_pLanCombo = nullptr;
};
