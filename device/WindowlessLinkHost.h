#pragma once
// A device link's host where there are no windows (vestrelctl, tests,
// benchmarks): page updates go nowhere, every message is declined, so the
// firmware prompt never starts the updater, and an apply's end is waited
// for rather than heard. Hosts that want one of these override it.

#include "device/DeviceLinkHost.h"

class WindowlessLinkHost : public DeviceLinkHost
{
public:
    // The profile applies send; it must outlive the host.
    explicit WindowlessLinkHost(ProfileData* profile) : m_profile(profile) {}

    ProfileData* CurrentProfile() override { return m_profile; }
    void HideMainWindow() override {}
    void SelectDpiLevelOption(int32_t) override {}
    void SelectReportRateOption(int32_t) override {}
    void ShowButtonMode(int32_t) override {}
    void PostDpiPopup(int32_t) override {}
    void SaveProfiles() override {}
    int ShowMessage(std::string_view, std::string_view, MessageOwner, MessageKind) override
    {
        return 0;
    }
    bool StartUpdater(const std::filesystem::path&) override { return false; }
    void PostApplyDone(ApplyOutcome) override {}

private:
    ProfileData* m_profile;
};
