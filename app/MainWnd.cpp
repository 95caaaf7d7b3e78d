#include "app/MainWnd.h"

#include "app/LanguageChoice.h"
#include "app/LibraryPages.h"
#include "app/MsgWnd.h"
#include "app/ProgramPaths.h"
#include "app/QtTranslations.h"
#include "device/DeviceMessages.h"
#include "model/NameField.h"
#include "model/ProfileExchange.h"
#include "model/SettingsFiles.h"
#include "performance/DPIMsg.h"
#include "performance/SensorTables.h"
#include "platform/DesktopServices.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/MenuWnd.h"
#include "ui/OptionUI.h"
#include "ui/ResourceManager.h"
#include "ui/SkinControls.h"
#include "ui/SkinImage.h"
#include "ui/TabLayoutUI.h"

#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QPixmap>
#include <array>
#include <cerrno>
#include <cstdio>
#include <functional>

namespace
{

constexpr int kProfileRowHeight = 25;

const QString kVirtualWndNames[] = {QStringLiteral("ButtonPage"), QStringLiteral("PerformancePage"),
                                    QStringLiteral("LightPage"), QStringLiteral("MacroPage"),
                                    QStringLiteral("GunPage")};

QString ProfileName(const ProfileData& profile)
{
    return QString::fromStdU16String(NameFromField(profile.szName));
}

std::optional<std::filesystem::path> AskProfileFile(HWND hOwner, bool bSave,
                                                    const QString& name = QString())
{
    return AskExchangeFile(hOwner, QStringLiteral("Profile Data"), QStringLiteral("pbin"), bSave,
                           name);
}

} // namespace

CMainWnd::CMainWnd(MainWndSetup setup)
    : m_setup(std::move(setup)),
      m_saves([this](const SaveResult& save) { PostSaveFailure(save); },
              [this]
              {
                  // Gone: the window's last Flush fills it.
                  if (const HWND hWnd = m_hSaveReports.load())
                      ::PostMessage(hWnd, WM_SAVE_BUFFER_READY);
              }),
      m_macroPage(m_saves), m_gunPage(m_saves)
{
    AddVirtualWnd(kVirtualWndNames[0], &m_buttonPage);
    AddVirtualWnd(kVirtualWndNames[1], &m_performancePage);
    AddVirtualWnd(kVirtualWndNames[2], &m_lightPage);
    AddVirtualWnd(kVirtualWndNames[3], &m_macroPage);
    AddVirtualWnd(kVirtualWndNames[4], &m_gunPage);
    m_logo = std::async(std::launch::async,
                        [file = m_setup.folders.program / "logo.png"]
                        {
                            const QString logo = QString::fromStdU16String(file.u16string());
                            if (!QFileInfo(logo).isFile()) // never a FIFO or a device
                                return QImage();
                            // In the form a pixmap keeps, so that making the icon is a copy.
                            return SkinImage::ReadPng(logo).convertToFormat(
                                QImage::Format_ARGB32_Premultiplied);
                        });
}

CMainWnd::~CMainWnd()
{
    // The device thread may still call back into this window; end it first.
    m_pDeviceLink.reset();
    m_hSaveReports = nullptr;
    m_saves.Flush();
    m_pMenu.reset();
    for (const QString& name : kVirtualWndNames)
        RemoveVirtualWnd(name);
    m_trayIcon.DeleteTrayIcon();
}

QString CMainWnd::GetWindowClassName() const
{
    return QStringLiteral("Mouse Driver");
}

UINT CMainWnd::GetClassStyle() const
{
    return CS_DBLCLKS;
}

QString CMainWnd::GetSkinFile()
{
    return QStringLiteral("main.xml");
}

void CMainWnd::InitWindow()
{
    const HWND hWnd = GetHWND();
    m_hSaveReports = hWnd;
    m_buttonPage.SetPaintManager(&m_pm, hWnd);
    m_performancePage.SetPaintManager(&m_pm, hWnd);
    m_lightPage.SetPaintManager(&m_pm, hWnd);
    m_macroPage.SetPaintManager(&m_pm, hWnd);
    m_gunPage.SetPaintManager(&m_pm, hWnd);

    // Without a lock file nobody can write the folder; the saves then say so.
    if (m_dataLock.LockForProgram(m_setup.folders.data) == DataFolderLock::Outcome::ProgramRunning)
    {
        // Nothing else is loaded, but the message speaks the user's language.
        LoadReport untold; // the copy that holds the folder tells of its files
        LoadStartupLanguage(g_StartupData, m_setup.folders, m_setup.uiLanguageId, untold,
                            DataAccess::ReadOnly);
        CResourceManager::GetInstance()->UseLanguage(g_StartupData.language);
        CMsgWnd::ShowMessage(nullptr, nullptr, QStringLiteral("warning_title_text"),
                             QStringLiteral("data_folder_in_use_text"), MsgKind::Information,
                             {QString::fromStdU16String(m_setup.folders.data.u16string())});
        DestroyWindow();
        return;
    }
    // Data.ini, Default.pbin, Data.bin, the language pick, profile.bin and
    // the libraries, loaded the way vestrelctl loads them too.
    SetProgramFolders(m_setup.folders);
    const LoadReport loadReport =
        LoadStartupData(g_StartupData, m_setup.folders, m_setup.uiLanguageId, g_vecMacro, g_vecGun);

    if (const QImage image = m_logo.get(); !image.isNull())
        m_icon = QIcon(QPixmap::fromImage(image));
    SetIcon(m_icon);

    CResourceManager* resources = CResourceManager::GetInstance();
    const int language = g_StartupData.appState.iLanguage;
    resources->UseLanguage(g_StartupData.language); // read with the start-up data
    resources->ReloadText(); // the skin was built before any language was loaded
    // The caption and the tray tooltip keep the start-up language.
    const QString caption = resources->GetText(QStringLiteral("mouse_name_text"));
    ::SetWindowText(hWnd, caption);

    FindControls();
    ShowLogoButton();
    m_strTrayConnected =
        caption + QStringLiteral(" – ") + resources->GetText(QStringLiteral("mouse_connected_text"));
    m_strTrayAbsent = caption + QStringLiteral(" – ") +
                      resources->GetText(QStringLiteral("mouse_not_connected_text"));
    m_trayIcon.CreateTrayIcon(hWnd, m_icon, caption);

    m_buttonPage.Init();
    m_performancePage.Initialise();
    if (m_setup.pointer != nullptr)
        m_performancePage.ShowPointerSupport(*m_setup.pointer);
    m_lightPage.Init();
    m_macroPage.Init();
    m_gunPage.Init();

    // Showing the stored choice is not a new choice: nothing is saved.
    if (m_pLanCombo != nullptr)
        m_pLanCombo->SelectItem(language, false, false);

    FillProfileList();
    m_macroPage.LoadFolders();
    m_gunPage.RefreshGunPage();
    m_buttonPage.RefreshPage();
    m_performancePage.Refresh();
    m_lightPage.RefreshPage();
    ReportLoadProblems(loadReport);
    if (g_pCurProfile != nullptr)
        m_unapplied.RememberFirst(*g_pCurProfile);

    m_pDeviceLink =
        std::make_unique<DeviceLink>(g_StartupData.description, m_setup.folders.program, *this,
                                     *this, *m_setup.pointer, m_setup.bindDriver, m_setup.sleep);
    m_pDeviceLink->SetAppliedSnapshot(g_AppliedProfile);
    m_pDeviceLink->SetApplyNote(m_setup.folders.data / kApplyNoteFile);
    m_pDeviceLink->SetAccessProbe(m_setup.probeAccess);
    // The window shows meanwhile; the firmware check follows (WM_STARTUP_READ).
    m_pDeviceLink->OpenDeviceLink();
    ShowConnectionState();
    // The last run left the mouse half-configured: finish the job.
    if (m_pDeviceLink->ApplyPending() && m_pDeviceLink->State() == DeviceState::Present)
        RequestApply();
}

void CMainWnd::FindControls()
{
    // The window goes on without any of them (the tray and the device still
    // work), but a skin that lacks some is worth a word.
    SkinControls controls;
    m_pExitBtn = controls.Need(m_pm, QStringLiteral("exit_btn"));
    m_pMinBtn = controls.Need(m_pm, QStringLiteral("min_btn"));
    m_pSkinBtn = controls.Need(m_pm, QStringLiteral("skin_btn"));
    m_pSettingBtn = controls.Need(m_pm, QStringLiteral("setting_btn"));
    m_pLogoBtn = controls.Need(m_pm, QStringLiteral("logo_btn"));
    m_pKeyBtn = controls.Need<COptionUI>(m_pm, QStringLiteral("key_btn"));
    m_pPerformanceBtn = controls.Need<COptionUI>(m_pm, QStringLiteral("performance_btn"));
    m_pLightBtn = controls.Need<COptionUI>(m_pm, QStringLiteral("light_btn"));
    m_pMacroBtn = controls.Need<COptionUI>(m_pm, QStringLiteral("macro_btn"));
    m_pGunBtn = controls.Need<COptionUI>(m_pm, QStringLiteral("gun_btn"));
    m_pConfigTab = controls.Need<CTabLayoutUI>(m_pm, QStringLiteral("config_tab"));
    m_pMainTab = controls.Need<CTabLayoutUI>(m_pm, QStringLiteral("main_tab"));
    m_pProfileCombo = controls.Need<CComboUI>(m_pm, QStringLiteral("profile_combo"));
    m_pAddProfileBtn = controls.Need(m_pm, QStringLiteral("btn_add_profile"));
    m_pDeleteProfileBtn = controls.Need(m_pm, QStringLiteral("btn_delete_profile"));
    m_pMenuProfileBtn = controls.Need(m_pm, QStringLiteral("btn_menu_profile"));
    m_pProfileNameEdit = controls.Need<CEditUI>(m_pm, QStringLiteral("edit_profile_name"));
    m_pResetProfileBtn = controls.Need(m_pm, QStringLiteral("btn_reset_profile"));
    m_pApplyBtn = controls.Need(m_pm, QStringLiteral("btn_apply"));
    m_pLanCombo = controls.Need<CComboUI>(m_pm, QStringLiteral("lan_combo"));
    // Newer than some skins: without them the window only says less.
    m_pApplyRing = m_pm.FindControl(QStringLiteral("ring_ver"));
    m_pApplyStatus = m_pm.FindControl(QStringLiteral("apply_status"));
    m_pConnectionState = m_pm.FindControl(QStringLiteral("connection_state"));
    // Of a skin that could not be built at all the builder spoke already.
    if (m_pm.GetRoot() != nullptr)
        controls.ReportMissing(GetSkinFile());
}

LRESULT CMainWnd::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled)
{
    if (m_pDPIMsg != nullptr)
    {
        CDPIMsg* popup = std::exchange(m_pDPIMsg, nullptr);
        popup->DestroyWindow(); // it deletes itself
    }
    m_pMenu.reset();
    // Saves that fail from now on are told on stderr.
    m_hSaveReports = nullptr;
    ::PostQuitMessage(0);
    bHandled = false; // the window still needs the default tear-down
    return 0;
}

LRESULT CMainWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled)
{
    bHandled = true;
    switch (uMsg)
    {
    case UIMSG_TRAYICON:
        OnTrayNotify(lParam);
        return 0;
    case WM_MENUCLICK:
    {
        auto* command = reinterpret_cast<MenuCmd*>(wParam);
        if (command == nullptr)
            return 0;
        const QString name = command->szName;
        CPaintManagerUI::DeletePtr(command);
        OnMenuCommand(name);
        return 0;
    }
    case WM_SHOW_MAIN_WINDOW:
        ShowMainWindow();
        return 0;
    case WM_REFRESH_BUTTONS:
        m_buttonPage.RefreshPage();
        return 0;
    case kDpiPopupMessage:
        ShowDpiPopup(static_cast<int32_t>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kApplyStatusTimer)
            ShowApplyStatus(QString(), false);
        else if (wParam == kDpiPopupTimer)
            CloseDpiPopup();
        else
            break;
        return 0;
    case WM_HOOK_KEY:
    case WM_HOOK_MOUSE:
        m_macroPage.OnHookEvent(wParam, lParam);
        return 0;
    case kDataEventMessage:
        if (m_pDeviceLink)
        {
            // The mouse holds what it reports: an applied profile stays applied.
            const bool bApplied = g_pCurProfile != nullptr && !m_unapplied.Differs(*g_pCurProfile);
            m_pDeviceLink->OnDataEventMessage(wParam, lParam);
            if (bApplied && g_pCurProfile != nullptr)
                m_unapplied.Remember(*g_pCurProfile);
        }
        return 0;
    case kConnectionMessage:
        if (m_pDeviceLink)
            m_pDeviceLink->OnConnectionMessage(wParam);
        ShowConnectionState();
        return 0;
    case WM_APPLY_DONE:
        OnApplyDone(static_cast<ApplyOutcome>(wParam));
        return 0;
    case WM_SAVE_DONE:
        if (wParam != 0)
            ReportSave(*reinterpret_cast<const SaveResult*>(wParam));
        return 0;
    case WM_SAVE_BUFFER_READY:
        m_saves.FillPrepared();
        return 0;
    case WM_STARTUP_READ:
        if (m_pDeviceLink && !m_pDeviceLink->CheckStartupFirmware())
            DestroyWindow(); // the firmware updater runs instead
        return 0;
    case WM_BACKGROUND_SAVE_FAILED:
    {
        std::vector<SaveResult> failed;
        {
            std::lock_guard lock(m_failedSavesMutex);
            failed.swap(m_failedSaves);
        }
        for (const SaveResult& save : failed)
            ReportSave(save);
        return 0;
    }
    default:
        break;
    }
    bHandled = false;
    return 0;
}

void CMainWnd::Notify(TNotifyUI& msg)
{
    if (!msg.sVirtualWnd.isEmpty())
        WindowImplBase::Notify(msg); // to the page's own map
    else if (msg.sType == DUI_MSGTYPE_CLICK)
        OnClick(msg);
    else if (msg.sType == DUI_MSGTYPE_SELECTCHANGED)
        OnSelectChanged(msg);
    else if (msg.sType == DUI_MSGTYPE_ITEMSELECT)
        OnItemSelect(msg);
    else if (msg.sType == DUI_MSGTYPE_KILLFOCUS && msg.pSender == m_pProfileNameEdit)
        RenameProfile();
    // Every edit of a page arrives here as some notification.
    ShowApplyMark();
}

void CMainWnd::OnClick(TNotifyUI& msg)
{
    CControlUI* sender = msg.pSender;
    if (sender == m_pMinBtn)
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    else if (sender == m_pExitBtn)
        HideToTray();
    else if (sender == m_pAddProfileBtn)
        AddProfile();
    else if (sender == m_pDeleteProfileBtn)
        DeleteProfile();
    else if (sender == m_pMenuProfileBtn)
    {
        RECT window;
        ::GetWindowRect(GetHWND(), &window);
        const RECT button = sender->GetPos();
        OpenMenu(QStringLiteral("profilemenu.xml"),
                 POINT{window.left + button.left, window.top + button.bottom});
    }
    else if (sender == m_pResetProfileBtn)
        ResetProfile();
    else if (sender == m_pApplyBtn)
        RequestApply();
    else if (sender == m_pLogoBtn)
    {
        const QString address =
            CResourceManager::GetInstance()->GetText(QStringLiteral("website_text"));
        if (!address.isEmpty())
            Desktop().OpenAddress(address);
    }
}

void CMainWnd::OnSelectChanged(TNotifyUI& msg)
{
    if (m_pConfigTab == nullptr || m_pMainTab == nullptr)
        return;
    if (msg.pSender == m_pKeyBtn || msg.pSender == m_pPerformanceBtn || msg.pSender == m_pLightBtn)
    {
        m_pConfigTab->SelectItem(0);
        m_pMainTab->SelectItem(msg.pSender == m_pKeyBtn           ? 0
                               : msg.pSender == m_pPerformanceBtn ? 1
                                                                  : 2);
    }
    else if (msg.pSender == m_pMacroBtn)
        m_pConfigTab->SelectItem(1);
    else if (msg.pSender == m_pGunBtn)
        m_pConfigTab->SelectItem(2);
}

void CMainWnd::OnItemSelect(TNotifyUI& msg)
{
    if (msg.pSender == m_pProfileCombo)
        SelectProfile(static_cast<int>(msg.wParam));
    else if (msg.pSender == m_pLanCombo)
        SelectLanguage(static_cast<int>(msg.wParam));
}

void CMainWnd::OnMenuCommand(const QString& item)
{
    struct Command
    {
        const char* name;
        std::function<void(CMainWnd&)> run;
    };
    static const std::array<Command, 20> kCommands = {{
        {"configuration", [](CMainWnd& w) { w.ShowMainWindow(); }},
        {"exit", [](CMainWnd& w) { w.ExitProgram(); }},
        {"import_profile", [](CMainWnd& w) { w.ImportProfile(); }},
        {"export_profile", [](CMainWnd& w) { w.ExportProfile(); }},
        {"rename_macro_dir", [](CMainWnd& w) { w.m_macroPage.RenameFolder(); }},
        {"import_macro_dir", [](CMainWnd& w) { w.m_macroPage.ImportFolder(); }},
        {"export_macro_dir", [](CMainWnd& w) { w.m_macroPage.ExportFolder(false); }},
        {"export_pw_macro_dir", [](CMainWnd& w) { w.m_macroPage.ExportFolder(true); }},
        {"rename_macro", [](CMainWnd& w) { w.m_macroPage.RenameMacro(); }},
        {"import_macro", [](CMainWnd& w) { w.m_macroPage.ImportMacro(); }},
        {"export_macro", [](CMainWnd& w) { w.m_macroPage.ExportMacro(false); }},
        {"export_pw_macro", [](CMainWnd& w) { w.m_macroPage.ExportMacro(true); }},
        {"rename_gun_dir", [](CMainWnd& w) { w.m_gunPage.RenameGunFolder(); }},
        {"import_gun_dir", [](CMainWnd& w) { w.m_gunPage.ImportGunFolder(); }},
        {"export_gun_dir", [](CMainWnd& w) { w.m_gunPage.ExportGunFolder(false); }},
        {"export_pw_gun_dir", [](CMainWnd& w) { w.m_gunPage.ExportGunFolder(true); }},
        {"rename_gun", [](CMainWnd& w) { w.m_gunPage.RenameGun(); }},
        {"import_gun", [](CMainWnd& w) { w.m_gunPage.ImportGun(); }},
        {"export_gun", [](CMainWnd& w) { w.m_gunPage.ExportGun(false); }},
        {"export_pw_gun", [](CMainWnd& w) { w.m_gunPage.ExportGun(true); }},
    }};
    for (const Command& command : kCommands)
    {
        if (item.compare(QLatin1String(command.name), Qt::CaseInsensitive) == 0)
        {
            command.run(*this);
            return;
        }
    }
    m_buttonPage.AssignFunction(item);
}

void CMainWnd::OnTrayNotify(LPARAM mouseMessage)
{
    if (mouseMessage == WM_LBUTTONUP)
        ShowMainWindow();
    else if (mouseMessage == WM_RBUTTONUP)
    {
        const QPoint cursor = QCursor::pos();
        OpenMenu(QStringLiteral("traymenu.xml"), POINT{cursor.x(), cursor.y() - 50});
        m_pMenu->ResizeMenu();
    }
}

void CMainWnd::OpenMenu(const QString& xml, POINT point)
{
    m_pMenu.reset();
    m_pMenu = std::make_unique<CMenuWnd>();
    m_pMenu->Init(nullptr, xml, point, &m_pm);
}

void CMainWnd::ShowMainWindow()
{
    if (!m_pDeviceLink || !m_pDeviceLink->CanShowMainWindow())
    {
        if (m_pDeviceLink)
            m_pDeviceLink->ShowNoDeviceMessage(
                m_setup.probeAccess ? m_setup.probeAccess(g_StartupData.description.m_iVID,
                                                          g_StartupData.description.m_iPID)
                                    : MouseAccess::Absent);
        return;
    }
    const HWND hWnd = GetHWND();
    if (!::IsWindowVisible(hWnd))
        ShowWindow(true);
    if (::IsIconic(hWnd))
        SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    ::SetForegroundWindow(hWnd);
}

void CMainWnd::HideToTray()
{
    if (Desktop().HasTray())
        ShowWindow(false, false);
    else
        ::ShowWindow(GetHWND(), SW_MINIMIZE);
}

// Profiles ------------------------------------------------------------------

int CMainWnd::CurrentProfileIndex() const
{
    return g_StartupData.appState.iCurrentProfile;
}

void CMainWnd::FillProfileList()
{
    if (m_pProfileCombo == nullptr)
        return;
    auto rows = std::make_unique<CTextRows>(kProfileRowHeight);
    rows->Reserve(g_vecProfile.size());
    for (const auto& profile : g_vecProfile)
        rows->Append(TextRow{ProfileName(*profile), QString()});
    m_pProfileCombo->SetRowSource(std::move(rows));
    // Start-up already made this profile current; no selection handling.
    m_pProfileCombo->SelectItem(CurrentProfileIndex(), false, false);
    ShowCurrentProfileName();
}

void CMainWnd::ShowCurrentProfileName()
{
    if (m_pProfileNameEdit != nullptr && g_pCurProfile != nullptr)
        m_pProfileNameEdit->SetText(ProfileName(*g_pCurProfile));
}

void CMainWnd::RefreshAfterProfileChange()
{
    m_buttonPage.RefreshPage();
    m_performancePage.Refresh();
    m_lightPage.RefreshPage();
}

void CMainWnd::SelectProfile(int index)
{
    if (index == CurrentProfileIndex() && !m_bProfileListChanged)
        return;
    if (index < 0 || static_cast<std::size_t>(index) >= g_vecProfile.size())
        return;
    m_bProfileListChanged = false;
    g_StartupData.appState.iCurrentProfile = index;
    g_pCurProfile = g_vecProfile[static_cast<std::size_t>(index)].get();
    m_unapplied.RememberFirst(*g_pCurProfile); // before a page can edit it
    ShowCurrentProfileName();
    RefreshAfterProfileChange();
}

void CMainWnd::AppendProfile(std::unique_ptr<ProfileData> profile, bool bSave)
{
    const QString name = ProfileName(*profile);
    m_unapplied.Remember(*profile); // nothing of it to apply yet
    g_vecProfile.push_back(std::move(profile));
    if (bSave)
        SaveProfiles();
    if (m_pProfileCombo == nullptr)
        return;
    m_pProfileCombo->UseTextRows(kProfileRowHeight).Append(TextRow{name, QString()});
    m_pProfileCombo->SelectItem(m_pProfileCombo->GetCount() - 1);
}

void CMainWnd::AddProfile()
{
    const QString base = CResourceManager::GetInstance()->GetText(QStringLiteral("profile_text")) +
                         QString::number(g_vecProfile.size() + 1);
    auto profile = std::make_unique<ProfileData>(g_DefaultProfile);
    SetNameField(profile->szName, MakeFreeProfileName(g_vecProfile, base.toStdU16String()));
    AppendProfile(std::move(profile), true);
}

void CMainWnd::DeleteProfile()
{
    if (g_vecProfile.size() < 2 || m_pProfileCombo == nullptr || g_pCurProfile == nullptr)
        return;
    if (CMsgWnd::ShowMessage(&m_pm, GetHWND(), QStringLiteral("warning_title_text"),
                             QStringLiteral("delete_profile_named_text"), MsgKind::Question,
                             {ProfileName(*g_pCurProfile)}) != 1)
        return;
    const int index = CurrentProfileIndex();
    m_unapplied.Forget(*g_vecProfile[static_cast<std::size_t>(index)]);
    g_vecProfile.erase(g_vecProfile.begin() + index);
    g_pCurProfile = nullptr; // until the selection below picks the new current one
    SaveProfiles();
    m_bProfileListChanged = true;
    m_pProfileCombo->UseTextRows(kProfileRowHeight).Remove(index);
    m_pProfileCombo->SelectItem(index < m_pProfileCombo->GetCount() ? index : index - 1);
}

void CMainWnd::RenameProfile()
{
    if (m_pProfileNameEdit == nullptr || g_pCurProfile == nullptr)
        return;
    // A name longer than the record holds is shortened to fit, and control
    // characters a paste may bring are replaced, before it is compared.
    std::u16string newName = CleanName(m_pProfileNameEdit->GetText().toStdU16String());
    if (newName.size() > kNameMaxChars)
        newName.resize(kNameMaxChars);
    const std::u16string oldName = NameFromField(g_pCurProfile->szName);
    if (NamesEqualNoCase(newName, oldName))
        return;
    if (ProfileNameExists(g_vecProfile, newName))
    {
        m_pProfileNameEdit->SetText(QString::fromStdU16String(oldName));
        return;
    }
    SetNameField(g_pCurProfile->szName, newName);
    const QString shown = QString::fromStdU16String(newName);
    m_pProfileNameEdit->SetText(shown);
    if (m_pProfileCombo != nullptr)
        m_pProfileCombo->UseTextRows(kProfileRowHeight).SetText(CurrentProfileIndex(), shown);
    SaveProfiles();
}

void CMainWnd::ResetProfile()
{
    if (AskUser(QStringLiteral("reset_profile_text")) != 1 || g_pCurProfile == nullptr)
        return;
    *g_pCurProfile = g_DefaultProfile;
    // The list and the name field show the reset name at once.
    const QString name = ProfileName(*g_pCurProfile);
    if (m_pProfileCombo != nullptr)
        m_pProfileCombo->UseTextRows(kProfileRowHeight).SetText(CurrentProfileIndex(), name);
    ShowCurrentProfileName();
    RefreshAfterProfileChange();
    RequestApply();
}

void CMainWnd::ExportProfile()
{
    if (g_pCurProfile == nullptr)
        return;
    const auto file = AskProfileFile(GetHWND(), true, ProfileName(*g_pCurProfile));
    if (file)
        ReportSave(WriteProfileFile(*file, *g_pCurProfile));
}

void CMainWnd::ImportProfile()
{
    const auto file = AskProfileFile(GetHWND(), false);
    if (!file)
        return;
    auto profile = std::make_unique<ProfileData>();
    // Only a whole record is taken; anything else is not a profile file.
    if (!ReadProfileFile(*file, *profile))
    {
        CMsgWnd::ShowMessage(&m_pm, GetHWND(), QStringLiteral("warning_title_text"),
                             QStringLiteral("wrong_profile_file_text"), MsgKind::Information);
        return;
    }
    const std::u16string name = NameFromField(profile->szName);
    SetNameField(profile->szName, MakeFreeProfileName(g_vecProfile, name));
    // Saved with the list's next save, like every other change of it.
    AppendProfile(std::move(profile), false);
}

// Language, applies, DPI popup ------------------------------------------------

void CMainWnd::SelectLanguage(int index)
{
    if (index < 0 || index >= kLanguageCount)
        return;
    g_StartupData.appState.iLanguage = index;
    CResourceManager* resources = CResourceManager::GetInstance();
    resources->LoadLanguage(QString::fromStdString(LanguageFileName(index).generic_string()));
    resources->ReloadText();
    LoadQtTranslations(index);
    // What the pages composed from translations follows too; the caption and
    // the tray tooltip keep the start-up language.
    m_buttonPage.RefreshLabels();
    m_macroPage.RefreshTexts();
    if (m_setup.pointer != nullptr) // its tips are texts of the language, not keys
        m_performancePage.ShowPointerSupport(*m_setup.pointer);
    ShowLogoButton();
    m_pm.NeedUpdate();
    SaveAppState();
}

void CMainWnd::ShowLogoButton()
{
    if (m_pLogoBtn != nullptr)
        m_pLogoBtn->SetVisible(
            !CResourceManager::GetInstance()->GetText(QStringLiteral("website_text")).isEmpty());
}

void CMainWnd::RequestApply()
{
    if (!m_pDeviceLink || g_pCurProfile == nullptr)
        return;
    m_pDeviceLink->RequestApply(); // takes its copy now
    m_unapplied.Remember(*g_pCurProfile);
    ShowApplyMark();
    ++m_iAppliesRunning;
    ShowApplyStatus(QString(), false);
    if (m_pApplyRing != nullptr)
        m_pApplyRing->SetVisible(true);
}

void CMainWnd::OnApplyDone(ApplyOutcome outcome)
{
    SaveAppState();
    SaveProfiles();
    // The busy mark stays until the last apply asked for here is done; one
    // the link started itself (a returning mouse) only tells its outcome.
    if (m_iAppliesRunning > 0 && --m_iAppliesRunning > 0)
        return;
    if (m_pApplyRing != nullptr)
        m_pApplyRing->SetVisible(false);
    if (m_setup.pointer != nullptr)
        m_performancePage.ReportPointerFailures(*m_setup.pointer);
    switch (m_pDeviceLink ? m_pDeviceLink->Settle(outcome) : outcome)
    {
    case ApplyOutcome::Applied:
        ShowApplyStatus(QStringLiteral("applied_text"), false);
        break;
    case ApplyOutcome::NoMouse:
        ShowApplyStatus(QStringLiteral("apply_no_mouse_text"), false);
        break;
    // What needs the user stays until the next apply.
    case ApplyOutcome::Refused:
        ShowApplyStatus(QStringLiteral("apply_refused_text"), true);
        break;
    case ApplyOutcome::Removed:
        ShowApplyStatus(QStringLiteral("apply_removed_text"), true);
        break;
    }
}

void CMainWnd::ShowApplyStatus(const QString& textKey, bool bStays)
{
    KillTimer(kApplyStatusTimer);
    if (m_pApplyStatus == nullptr)
        return;
    m_pApplyStatus->SetText(textKey);
    m_pApplyStatus->SetVisible(!textKey.isEmpty());
    if (!textKey.isEmpty() && !bStays)
        SetTimer(kApplyStatusTimer, kApplyStatusMilliseconds);
}

void CMainWnd::ShowApplyMark()
{
    if (m_pApplyBtn == nullptr)
        return;
    const QString key = g_pCurProfile != nullptr && m_unapplied.Differs(*g_pCurProfile)
                            ? QStringLiteral("apply_changed_text")
                            : QStringLiteral("apply_text");
    const QString text = CResourceManager::GetInstance()->GetText(key);
    if (m_pApplyBtn->GetText() != text)
        m_pApplyBtn->SetText(key);
}

void CMainWnd::ShowConnectionState()
{
    const bool bPresent = m_pDeviceLink && m_pDeviceLink->State() == DeviceState::Present;
    if (m_pConnectionState != nullptr)
        m_pConnectionState->SetText(bPresent ? QStringLiteral("mouse_connected_text")
                                             : QStringLiteral("mouse_not_connected_text"));
    m_trayIcon.SetTooltipText(bPresent ? m_strTrayConnected : m_strTrayAbsent);
}

bool CMainWnd::HasUnappliedChanges() const
{
    return m_unapplied.AnyDiffers(g_vecProfile);
}

void CMainWnd::ExitProgram()
{
    if (HasUnappliedChanges())
    {
        const bool bShown = ::IsWindowVisible(GetHWND());
        const UINT answer = CMsgWnd::ShowMessage(
            bShown ? &m_pm : nullptr, bShown ? GetHWND() : nullptr,
            QStringLiteral("warning_title_text"), QStringLiteral("exit_unapplied_text"),
            MsgKind::ApplyDiscard);
        if (answer == kMsgAnswerDiscard)
        {
            if (m_unapplied.DiscardAll(g_vecProfile))
                SaveProfiles();
        }
        else if (answer == 1)
        {
            // The window is gone before the apply's message could arrive:
            // wait for it and write the files here.
            RequestApply();
            if (m_pDeviceLink)
                m_pDeviceLink->WaitForApplies();
            SaveAppState();
            SaveProfiles();
        }
        else
            return; // Cancel: the program stays
    }
    DestroyWindow();
}

void CMainWnd::ShowDpiPopup(int32_t dpiStep)
{
    const QString text =
        QStringLiteral("DPI :") +
        QString::fromStdString(DpiText(g_StartupData.description.m_iSensor, dpiStep));
    KillTimer(kDpiPopupTimer);
    SetTimer(kDpiPopupTimer, kDpiPopupMilliseconds);
    if (m_pDPIMsg != nullptr)
    {
        m_pDPIMsg->SetText(text);
        return;
    }
    m_pDPIMsg = new CDPIMsg(text);
    // Top-most and never activated, so the user's window keeps the focus.
    if (m_pDPIMsg->Create(GetHWND(), QString(), WS_POPUP | WS_VISIBLE,
                          WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, 0, 0, 800,
                          800) == nullptr)
        m_pDPIMsg = nullptr; // gone already; it deleted itself
}

void CMainWnd::CloseDpiPopup()
{
    KillTimer(kDpiPopupTimer);
    if (m_pDPIMsg == nullptr)
        return;
    std::exchange(m_pDPIMsg, nullptr)->Close(0);
}

void CMainWnd::SaveAppState()
{
    const auto bytes = RecordBytes(g_StartupData.appState);
    m_saves.Save(m_setup.folders.data / kAppStateFile, {bytes.begin(), bytes.end()});
}

void CMainWnd::PostSaveFailure(const SaveResult& save)
{
    if (save)
        return;
    if (const HWND hWnd = m_hSaveReports.load())
    {
        {
            std::lock_guard lock(m_failedSavesMutex);
            m_failedSaves.push_back(save);
        }
        if (::PostMessage(hWnd, WM_BACKGROUND_SAVE_FAILED))
            return;
    }
    // The window is gone (the program is ending): stderr is all that is left.
    std::fprintf(stderr, "vestrel: %s could not be saved: %s\n", save.file.string().c_str(),
                 save.Reason().c_str());
}

namespace
{

QString FileName(const std::filesystem::path& file)
{
    return QString::fromStdU16String(file.u16string());
}

// Why a save failed, in the user's language where the reason is a common one.
QString SaveFailureReason(const SaveResult& save)
{
    const std::string_view key = save.ReasonTextKey();
    if (key.empty())
        return QString::fromStdString(save.Reason());
    return CResourceManager::GetInstance()->GetText(
        QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
}

QString DamageReason(DamageKind kind)
{
    const char* key = "damage_unreadable_text";
    if (kind == DamageKind::NotRegularFile)
        key = "damage_not_file_text";
    else if (kind == DamageKind::PartialRecord)
        key = "damage_partial_text";
    else if (kind == DamageKind::TooLarge)
        key = "damage_too_large_text";
    return CResourceManager::GetInstance()->GetText(QString::fromLatin1(key));
}

} // namespace

void CMainWnd::ReportSave(const SaveResult& save)
{
    if (save)
        return;
    // Before the window shows (start-up), the message stands on its own.
    const bool bShown = ::IsWindowVisible(GetHWND());
    CMsgWnd::ShowMessage(bShown ? &m_pm : nullptr, bShown ? GetHWND() : nullptr,
                         QStringLiteral("warning_title_text"), QStringLiteral("save_failed_text"),
                         MsgKind::Information, {FileName(save.file), SaveFailureReason(save)});
}

void CMainWnd::ReportLoadProblems(const LoadReport& report)
{
    // The window is not shown yet: no owner and no overlay, as for the
    // firmware prompt.
    for (const DamagedFile& damaged : report.damaged)
    {
        const bool bKept = !damaged.keptAs.empty();
        const QString third =
            bKept ? FileName(damaged.keptAs)
                  : QString::fromStdString(SaveResult{{}, damaged.keepError}.Reason());
        CMsgWnd::ShowMessage(nullptr, nullptr, QStringLiteral("warning_title_text"),
                             bKept ? QStringLiteral("damaged_file_text")
                                   : QStringLiteral("damaged_file_not_kept_text"),
                             MsgKind::Information,
                             {FileName(damaged.file), DamageReason(damaged.kind), third});
    }
    for (const SaveResult& save : report.failedSaves)
        ReportSave(save);
}

UINT CMainWnd::AskUser(const QString& msgKey)
{
    return CMsgWnd::ShowMessage(&m_pm, GetHWND(), QStringLiteral("warning_title_text"), msgKey,
                                MsgKind::Question);
}

// DeviceLinkHost ----------------------------------------------------------------

ProfileData* CMainWnd::CurrentProfile()
{
    return g_pCurProfile;
}

void CMainWnd::HideMainWindow()
{
    HideToTray();
}

void CMainWnd::SelectDpiLevelOption(int32_t)
{
    m_performancePage.Refresh();
}

void CMainWnd::SelectReportRateOption(int32_t)
{
    m_performancePage.Refresh();
}

void CMainWnd::ShowButtonMode(int32_t)
{
    m_buttonPage.RefreshPage();
}

void CMainWnd::PostDpiPopup(int32_t dpiStep)
{
    ::PostMessage(GetHWND(), kDpiPopupMessage, 0, dpiStep);
}

void CMainWnd::SaveProfiles()
{
    m_saves.SaveRecords(m_setup.folders.data / kProfilesFile, g_vecProfile);
}

int CMainWnd::ShowMessage(std::string_view titleKey, std::string_view textKey, MessageOwner owner,
                          MessageKind kind)
{
    // Neither the no-device message nor the firmware prompt dims the window.
    const HWND hOwner = owner == MessageOwner::MainWindow ? GetHWND() : nullptr;
    return static_cast<int>(CMsgWnd::ShowMessage(
        nullptr, hOwner, QString::fromUtf8(titleKey.data(), static_cast<int>(titleKey.size())),
        QString::fromUtf8(textKey.data(), static_cast<int>(textKey.size())),
        kind == MessageKind::Question ? MsgKind::Question : MsgKind::Information));
}

bool CMainWnd::StartUpdater(const std::filesystem::path& program)
{
    return Desktop().StartProgram(program);
}

void CMainWnd::PostApplyDone(ApplyOutcome outcome)
{
    ::PostMessage(GetHWND(), WM_APPLY_DONE, static_cast<WPARAM>(outcome));
}

void CMainWnd::PostStartupRead()
{
    ::PostMessage(GetHWND(), WM_STARTUP_READ);
}

void CMainWnd::PostDeviceMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    ::PostMessage(GetHWND(), message, wParam, lParam);
}
