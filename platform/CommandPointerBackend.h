#pragma once
// What the Linux desktops' pointer backends share: they run the desktop's own
// command-line tools, know which settings the desktop has, and keep what
// failed until the window asks.

#include "performance/PointerSettingsBackend.h"
#include "platform/CommandRunner.h"

#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

class CommandPointerBackend : public PointerSettingsBackend
{
public:
    std::string DesktopName() const override { return m_desktop; }
    bool Supports(PointerSetting setting) const override;
    std::vector<PointerFailure> TakeFailures() override;

    // The libinput speed (-1..1) for a Windows pointer speed (1..20, 10 the
    // middle), two decimals with a point whatever the locale.
    static std::string DesktopSpeed(int windowsSpeed);
    static double DesktopSpeedValue(int windowsSpeed);
    // Two decimals with a point whatever the locale: "-0.60".
    static std::string Decimal(double value);
    // Windows' acceleration array asks for an accelerated pointer.
    static bool IsAdaptive(const std::array<int, 3>& values) { return values[2] != 0; }
    // Whether a session bus can be reached: `gsettings set` and friends exit
    // 0 without one and change nothing.
    static bool HasSessionBus();

protected:
    CommandPointerBackend(std::string desktop, std::initializer_list<PointerSetting> supported,
                          CommandRunner run);

    // Runs a tool; a non-zero exit is kept as a failure of the setting.
    // Returns whether it succeeded.
    bool Run(PointerSetting setting, const std::vector<std::string>& argv);
    // For questions to the desktop: what they answer is not a failure of its own.
    const CommandRunner& Runner() const { return m_run; }
    void Fail(PointerSetting setting, std::string reason);
    // For the calls of settings the desktop does not have: traced only.
    void Unsupported(PointerSetting setting, int value) const;

private:
    const std::string m_desktop;
    const std::vector<PointerSetting> m_supported;
    const CommandRunner m_run;
    std::mutex m_mutex;
    std::vector<PointerFailure> m_failures;
};
