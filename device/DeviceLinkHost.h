#pragma once
// What the device link does to the program's windows and pages. The main
// window implements it; vestrelctl and tests have their own. Everything but
// PostApplyDone and PostStartupRead is called on the thread that owns the
// DeviceLink (the UI thread).

#include <cstdint>
#include <filesystem>
#include <string_view>

struct ProfileData;

enum class MessageOwner
{
    MainWindow, // over the main window
    None        // centred, without owner (the main window may not be shown yet)
};

enum class MessageKind
{
    Question,   // OK and Cancel
    Information // OK only
};

// How an apply ended, as far as the mouse is concerned. The profile is
// saved in every case.
enum class ApplyOutcome : int
{
    Applied = 0, // every report and packet accepted
    NoMouse,     // no mouse when the apply began: nothing was sent
    Refused,     // the mouse stayed but did not accept some reports
    Removed      // the mouse went away during the apply
};

class DeviceLinkHost
{
public:
    virtual ~DeviceLinkHost() = default;

    // The profile every page edits; nullptr while there is none.
    virtual ProfileData* CurrentProfile() = 0;

    virtual void HideMainWindow() = 0;
    // The mouse changed a setting: show it on the pages.
    virtual void SelectDpiLevelOption(int32_t level) = 0;    // 0..7
    virtual void SelectReportRateOption(int32_t option) = 0; // 0..3
    virtual void ShowButtonMode(int32_t mode) = 0;           // 0 office, 1 game
    // Posts kDpiPopupMessage with the DPI step value to the main window.
    virtual void PostDpiPopup(int32_t dpiStep) = 0;
    // Writes profile.bin.
    virtual void SaveProfiles() = 0;
    // The message dialog, modal; 1 when it closed with OK.
    virtual int ShowMessage(std::string_view titleKey, std::string_view textKey, MessageOwner owner,
                            MessageKind kind) = 0;
    // Starts a program through the desktop's launcher; false when it could
    // not be started.
    virtual bool StartUpdater(const std::filesystem::path& program) = 0;

    // Called on the device thread when an apply has finished, with how it
    // went. The host then writes Data.bin and profile.bin and tells the user
    // on its own thread.
    virtual void PostApplyDone(ApplyOutcome outcome) = 0;
    // Called on the device thread when the start-up exchange of a mouse
    // opened by OpenDeviceLink is done; the host then calls
    // CheckStartupFirmware on its own thread. Hosts that start the link
    // with StartDeviceLink need nothing here.
    virtual void PostStartupRead() {}
};
