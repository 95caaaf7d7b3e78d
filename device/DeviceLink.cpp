#include "device/DeviceLink.h"

#include "device/DeviceLinkHost.h"
#include "device/DeviceMessages.h"
#include "device/FirmwareCheck.h"
#include "device/TransferProtocol.h"
#include "model/AtomicFile.h"
#include "model/ProfileData.h"
#include "performance/PointerSettings.h"

namespace
{

constexpr int kArrivalWait = 500;
// Asks the mouse for its firmware version, between applies.
constexpr uint32_t kFirmwareThreadMessage = kApplyThreadMessage + 1;
// The start-up exchange and firmware read of a mouse opened at start.
constexpr uint32_t kStartupThreadMessage = kApplyThreadMessage + 2;

// Report-rate event values 1, 2, 3, 4 and 8 select these options.
int32_t ReportRateOption(uint16_t value)
{
    switch (value)
    {
    case 1:
    case 3:
        return 3;
    case 2:
        return 2;
    case 4:
        return 1;
    case 8:
        return 0;
    default:
        return -1;
    }
}

} // namespace

DeviceLink::DeviceLink(const DeviceDescription& description, std::filesystem::path programFolder,
                       DeviceLinkHost& host, DeviceMessageSink& sink,
                       PointerSettingsBackend& pointer, DriverBinder bindDriver,
                       SleepFunction sleep)
    : m_description(description), m_programFolder(std::move(programFolder)), m_host(host),
      m_sink(sink), m_pointer(pointer), m_bindDriver(std::move(bindDriver)),
      m_sleep(std::move(sleep)), m_driver(std::make_shared<DriverApi>()),
      m_snapshot(std::make_unique<ProfileData>())
{
}

DeviceLink::~DeviceLink()
{
    {
        std::lock_guard lock(m_queueMutex);
        m_bQuit = true;
    }
    m_queueChanged.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

TransferProtocol DeviceLink::Protocol() const
{
    return TransferProtocol(*m_driver, m_description, m_sleep);
}

bool DeviceLink::StartDeviceLink()
{
    OpenDeviceLink();
    WaitForApplies();
    return CheckStartupFirmware();
}

void DeviceLink::OpenDeviceLink()
{
    m_thread = std::thread([this] { DeviceThreadLoop(); });
    {
        auto driver =
            std::make_shared<const DriverApi>(m_bindDriver ? m_bindDriver() : DriverApi{});
        std::lock_guard lock(m_queueMutex);
        m_driver = std::move(driver);
    }
    const DriverApi& d = *m_driver;
    CallDriver(d.Set_VIDPID, m_description.m_iVID, m_description.m_iPID);
    CallDriver(d.Open_DevMonitor, &m_sink, kDataEventMessage, kConnectionMessage);
    CallDriver(d.Open_FeatureDevice);
    const bool opened = CallDriver(d.Open_ReportDevice) != 0;

    m_bOpen = true;
    NoteOpen(opened);
    if (!opened)
    {
        m_state = DeviceState::NotOpened;
        return;
    }
    m_state = DeviceState::Present;
    {
        std::lock_guard lock(m_queueMutex);
        m_queue.push_back({kStartupThreadMessage, 0, nullptr});
    }
    m_queueChanged.notify_all();
}

void DeviceLink::RunStartupExchange(const DriverApi& driver)
{
    // A mouse gone before its turn has the exchange again when it comes back.
    if (m_state == DeviceState::Present)
    {
        TransferProtocol protocol(driver, m_description, m_sleep);
        protocol.RunStartupExchange();
        if (m_description.m_bUpdate)
        {
            const std::optional<FirmwareVersion> version =
                QueryFirmwareVersion(protocol, m_description);
            std::lock_guard lock(m_firmwareMutex);
            m_firmware = version;
            m_bStartupRead = true;
        }
    }
    m_host.PostStartupRead();
}

bool DeviceLink::CheckStartupFirmware()
{
    std::optional<FirmwareVersion> version;
    {
        std::lock_guard lock(m_firmwareMutex);
        if (!m_bStartupRead)
            return true;
        m_bStartupRead = false; // asked once per start
        version = m_firmware;
    }
    return CheckFirmware(version, m_description, m_host, m_programFolder) != 0;
}

void DeviceLink::NoteOpen(bool bOpened)
{
    MouseAccess access = MouseAccess::Reachable;
    if (!bOpened)
        access = m_probeAccess && m_probeAccess(m_description.m_iVID, m_description.m_iPID) ==
                                      MouseAccess::NoPermission
                     ? MouseAccess::NoPermission
                     : MouseAccess::Absent;
    m_access = access;
}

bool DeviceLink::KnownFirmware() const
{
    std::lock_guard lock(m_firmwareMutex);
    return m_firmware.has_value();
}

std::optional<FirmwareVersion> DeviceLink::MouseFirmware()
{
    if (m_state != DeviceState::Present || !m_bOpen)
        return std::nullopt;
    {
        std::lock_guard lock(m_firmwareMutex);
        if (m_firmware)
            return m_firmware;
    }
    {
        std::lock_guard lock(m_queueMutex);
        m_queue.push_back({kFirmwareThreadMessage, 0, nullptr});
    }
    m_queueChanged.notify_all();
    WaitForApplies();
    std::lock_guard lock(m_firmwareMutex);
    return m_firmware;
}

void DeviceLink::SetApplyNote(const std::filesystem::path& file)
{
    m_applyNote = file;
    std::error_code ec;
    m_bApplyPending = std::filesystem::exists(file, ec);
}

void DeviceLink::MarkApplyPending(bool bPending)
{
    if (m_bApplyPending.exchange(bPending) == bPending || m_applyNote.empty())
        return;
    // A note that cannot be written leaves the one in memory; nothing to tell.
    std::error_code ec;
    if (bPending)
        (void)WriteFileAtomically(m_applyNote, {});
    else
        std::filesystem::remove(m_applyNote, ec);
}

void DeviceLink::SetAppliedSnapshot(const ProfileData& profile)
{
    std::lock_guard lock(m_snapshotMutex);
    *m_snapshot = profile;
}

std::unique_ptr<ProfileData> DeviceLink::AppliedSnapshot() const
{
    std::lock_guard lock(m_snapshotMutex);
    return std::make_unique<ProfileData>(*m_snapshot);
}

void DeviceLink::RequestApply()
{
    const ProfileData* current = m_host.CurrentProfile();
    if (current == nullptr)
        return;
    auto copy = std::make_unique<ProfileData>(*current);
    {
        std::lock_guard lock(m_queueMutex);
        m_queue.push_back({kApplyThreadMessage, 0, std::move(copy)});
    }
    m_queueChanged.notify_all();
}

void DeviceLink::WaitForApplies()
{
    std::unique_lock lock(m_queueMutex);
    m_queueChanged.wait(lock, [this] { return m_queue.empty() && !m_bApplying; });
}

ApplyOutcome DeviceLink::Settle(ApplyOutcome outcome) const
{
    if (outcome == ApplyOutcome::Refused && m_state != DeviceState::Present)
        return ApplyOutcome::Removed;
    return outcome;
}

void DeviceLink::DeviceThreadLoop()
{
    std::unique_lock lock(m_queueMutex);
    for (;;)
    {
        m_queueChanged.wait(lock, [this] { return m_bQuit || !m_queue.empty(); });
        if (m_queue.empty())
            return; // quit once everything requested is done
        ThreadMessage message = std::move(m_queue.front());
        m_queue.pop_front();
        const std::shared_ptr<const DriverApi> driver = m_driver;
        m_bApplying = true;
        lock.unlock();
        if (message.message == kApplyThreadMessage && message.wParam == 0)
            ApplyCurrentProfile(*driver, *message.profile);
        else if (message.message == kStartupThreadMessage)
            RunStartupExchange(*driver);
        else if (message.message == kFirmwareThreadMessage && m_state == DeviceState::Present &&
                 !KnownFirmware()) // the start-up read may have answered it meanwhile
        {
            TransferProtocol protocol(*driver, m_description, m_sleep);
            const std::optional<FirmwareVersion> version =
                QueryFirmwareVersion(protocol, m_description);
            std::lock_guard firmwareLock(m_firmwareMutex);
            m_firmware = version;
        }
        lock.lock();
        m_bApplying = false;
        m_queueChanged.notify_all();
    }
}

void DeviceLink::ApplyCurrentProfile(const DriverApi& driver, const ProfileData& profile)
{
    {
        std::lock_guard lock(m_snapshotMutex);
        ApplyWindowsPointerSettings(profile, *m_snapshot, m_pointer);
        *m_snapshot = profile;
    }
    // A removal in the middle lets the remaining sends fail; the apply still
    // runs to its end and the files are written, and the note stays until a
    // later apply reaches the mouse whole.
    const unsigned removals = m_iRemovals;
    MarkApplyPending(true);
    ApplyOutcome outcome = ApplyOutcome::NoMouse;
    if (m_state == DeviceState::Present)
    {
        const bool bAccepted =
            TransferProtocol(driver, m_description, m_sleep).SendProfile(profile);
        if (m_state != DeviceState::Present || m_iRemovals != removals)
            outcome = ApplyOutcome::Removed;
        else
            outcome = bAccepted ? ApplyOutcome::Applied : ApplyOutcome::Refused;
    }
    MarkApplyPending(outcome != ApplyOutcome::Applied);
    m_host.PostApplyDone(outcome);
}

void DeviceLink::OnConnectionMessage(uintptr_t wParam)
{
    if (wParam == 1)
        Arrival();
    else if (wParam == 0)
        Removal();
}

void DeviceLink::Arrival()
{
    if (m_state == DeviceState::Present)
        return;
    if (m_sleep)
        m_sleep(kArrivalWait);
    m_state = DeviceState::Present;
    const DriverApi& d = *m_driver;
    CallDriver(d.Open_FeatureDevice);
    const bool bOpened = CallDriver(d.Open_ReportDevice) != 0;
    NoteOpen(bOpened);
    if (bOpened)
    {
        m_bOpen = true;
        Protocol().RunStartupExchange();
        // The mouse left in the middle of an apply (or missed one): it gets
        // the current profile whole.
        if (m_bApplyPending)
            RequestApply();
    }
}

void DeviceLink::Removal()
{
    if (m_state == DeviceState::Removed)
        return;
    m_state = DeviceState::Removed;
    ++m_iRemovals;
    const DriverApi& d = *m_driver;
    CallDriver(d.Close_FeatureDevice);
    CallDriver(d.Close_ReportDevice);
    m_bOpen = false;
    m_access = MouseAccess::Absent;
    {
        // The next mouse may carry other firmware (it may have been updated).
        std::lock_guard lock(m_firmwareMutex);
        m_firmware.reset();
    }
    m_host.HideMainWindow();
}

void DeviceLink::OnDataEventMessage(uintptr_t wParam, intptr_t lParam)
{
    const uint32_t code =
        static_cast<uint32_t>(wParam << 16) ^ static_cast<uint32_t>(lParam & 0xFFFF);
    const auto word = static_cast<uint16_t>(code >> 16);
    const auto value = static_cast<uint16_t>(code);
    ProfileData* profile = m_host.CurrentProfile();
    if (profile == nullptr)
        return;

    switch (word & 0xFF00)
    {
    case kEventDpiLevel:
        if (value < 1 || value > 8)
            return;
        profile->iDpiLevel = value - 1;
        m_host.SelectDpiLevelOption(profile->iDpiLevel);
        m_host.PostDpiPopup(profile->aiDpi[value - 1]);
        break;
    case kEventReportRate:
    {
        const int32_t option = ReportRateOption(value);
        if (option < 0)
            return;
        profile->iReportRate = option;
        m_host.SelectReportRateOption(option);
        break;
    }
    case kEventButtonMode:
        if (value < 1 || value > 2)
            return;
        profile->iButtonMode = value - 1;
        m_host.ShowButtonMode(profile->iButtonMode);
        break;
    default:
        return;
    }
    m_host.SaveProfiles();
}

void DeviceLink::ShowNoDeviceMessage(MouseAccess access)
{
    if (m_bNoDeviceMessageShown)
        return;
    m_bNoDeviceMessageShown = true;
    m_host.ShowMessage(
        "warning_title_text",
        MouseAccessTextKey(access == MouseAccess::NoPermission ? access : MouseAccess::Absent),
        MessageOwner::MainWindow, MessageKind::Information);
    m_bNoDeviceMessageShown = false;
}

bool DeviceLink::CanShowMainWindow() const
{
    return m_state == DeviceState::Present && m_bOpen;
}
