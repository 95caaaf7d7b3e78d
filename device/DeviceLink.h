#pragma once
// The program's link to the mouse: the bound driver, the device state, the
// open flag, the device thread that carries out applies, and the handling of
// the two messages through which the driver reports the mouse coming and
// going and the mouse's own setting changes.
//
// Threads: the owner's thread (the UI thread) calls every public member. The
// device thread runs the start-up exchange of a mouse opened at start, then
// the applies in posting order, each on a copy of the current profile taken
// when it was requested, so it never reads what the pages are editing. The
// device state and the open flag are shared atomics; the drivers are safe to
// call from both threads.

#include "app/DeviceDescription.h"
#include "device/DeviceLinkHost.h"
#include "device/DriverApi.h"
#include "device/MouseAccess.h"
#include "device/Pause.h"
#include "device/TransferProtocol.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class DeviceMessageSink;
class PointerSettingsBackend;
struct ProfileData;

enum class DeviceState : int
{
    NotOpened = 0,
    Present = 1,
    Removed = 2
};

using DriverBinder = std::function<DriverApi()>;
// Whether a mouse that did not open is there without permission.
using AccessProbe = std::function<MouseAccess(uint32_t vid, uint32_t pid)>;

// The note an unfinished apply leaves in the data folder: the mouse may hold
// only part of the profile (it went away mid-apply, or refused reports), so
// the next arrival applies the current profile again. Removed once an apply
// goes through whole.
inline constexpr char kApplyNoteFile[] = ".apply-pending";

class DeviceLink
{
public:
    // `bindDriver` is called once, by StartDeviceLink. The host, sink and
    // pointer backend must outlive the link.
    DeviceLink(const DeviceDescription& description, std::filesystem::path programFolder,
               DeviceLinkHost& host, DeviceMessageSink& sink, PointerSettingsBackend& pointer,
               DriverBinder bindDriver, SleepFunction sleep = SleepMilliseconds);
    // Lets the device thread finish the applies already requested.
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Starts the device thread, binds the driver, opens the mouse and runs
    // the start-up exchange and the firmware check. False when the check
    // started the updater: the caller then closes the main window.
    bool StartDeviceLink();
    // The same in two steps, so that a window shows without waiting for the
    // mouse: OpenDeviceLink opens it and leaves the start-up exchange and the
    // firmware read to the device thread, ahead of any apply; the host hears
    // PostStartupRead when they are done and then calls CheckStartupFirmware,
    // false when it started the updater.
    void OpenDeviceLink();
    bool CheckStartupFirmware();

    // Where the unfinished-apply note lives (kApplyNoteFile in the data
    // folder); a note found there is still pending. Before StartDeviceLink;
    // without it the note is kept in memory only.
    void SetApplyNote(const std::filesystem::path& file);
    // Whether the mouse may hold less than the last profile applied.
    bool ApplyPending() const { return m_bApplyPending.load(); }

    // The profile the Windows pointer settings were last applied from.
    void SetAppliedSnapshot(const ProfileData& profile);
    std::unique_ptr<ProfileData> AppliedSnapshot() const;

    // Queues an apply of a copy of the host's current profile (thread
    // message 0x0670); returns at once. The host hears PostApplyDone.
    void RequestApply();
    // Blocks until every requested apply has finished.
    void WaitForApplies();
    // An apply's outcome as the owner should tell it, once the driver's
    // messages posted before the apply ended are handled: sends refused
    // because the mouse was leaving count as its removal.
    ApplyOutcome Settle(ApplyOutcome outcome) const;

    // kConnectionMessage: wParam 1 arrival, 0 removal, others ignored.
    void OnConnectionMessage(uintptr_t wParam);
    // kDataEventMessage: a setting changed on the mouse.
    void OnDataEventMessage(uintptr_t wParam, intptr_t lParam);
    // The no-device message, never twice at once; for a mouse that is
    // there but may not be opened, the message that says how to fix that.
    void ShowNoDeviceMessage(MouseAccess access = MouseAccess::Absent);

    // Whether the main window may be shown: the mouse is present and open.
    bool CanShowMainWindow() const;
    DeviceState State() const { return m_state.load(); }
    bool IsOpen() const { return m_bOpen.load(); }

    // Tells a mouse this user may not open from no mouse when an open
    // fails. Before StartDeviceLink; without it such a mouse counts as absent.
    void SetAccessProbe(AccessProbe probe) { m_probeAccess = std::move(probe); }
    // How the last open went: Reachable while the mouse is open, otherwise
    // absent or there without permission.
    MouseAccess Access() const { return m_access.load(); }
    // The firmware version the open mouse reported. Read at the start-up
    // check; when not read since the mouse came (no check, or an arrival),
    // asked on the device thread after the applies already requested, so
    // that it never meets an apply's reports. Nothing without the mouse, or
    // when it does not answer.
    std::optional<FirmwareVersion> MouseFirmware();

private:
    struct ThreadMessage
    {
        uint32_t message;
        uintptr_t wParam;
        std::unique_ptr<ProfileData> profile;
    };

    void DeviceThreadLoop();
    void RunStartupExchange(const DriverApi& driver);
    bool KnownFirmware() const;
    void ApplyCurrentProfile(const DriverApi& driver, const ProfileData& profile);
    void Arrival();
    void Removal();
    void MarkApplyPending(bool bPending);
    void NoteOpen(bool bOpened);
    TransferProtocol Protocol() const;

    const DeviceDescription m_description;
    const std::filesystem::path m_programFolder;
    DeviceLinkHost& m_host;
    DeviceMessageSink& m_sink;
    PointerSettingsBackend& m_pointer;
    const DriverBinder m_bindDriver;
    const SleepFunction m_sleep;

    // Written once by StartDeviceLink under m_queueMutex; the device thread
    // takes its reference under the same lock.
    std::shared_ptr<const DriverApi> m_driver;
    std::atomic<DeviceState> m_state{DeviceState::NotOpened};
    std::atomic<bool> m_bOpen{false};
    bool m_bNoDeviceMessageShown = false;
    std::filesystem::path m_applyNote; // set before the device thread starts
    std::atomic<bool> m_bApplyPending{false};
    std::atomic<unsigned> m_iRemovals{0};
    AccessProbe m_probeAccess;
    std::atomic<MouseAccess> m_access{MouseAccess::Absent};

    // Written by the UI thread on removal, by the device thread at the
    // start-up read and when asked for it.
    mutable std::mutex m_firmwareMutex;
    std::optional<FirmwareVersion> m_firmware;
    bool m_bStartupRead = false; // the start-up exchange asked for the version

    mutable std::mutex m_snapshotMutex;
    std::unique_ptr<ProfileData> m_snapshot;

    std::mutex m_queueMutex;
    std::condition_variable m_queueChanged;
    std::deque<ThreadMessage> m_queue;
    bool m_bApplying = false;
    bool m_bQuit = false;
    std::thread m_thread;
};
