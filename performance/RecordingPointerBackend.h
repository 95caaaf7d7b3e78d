#pragma once
// A pointer-settings backend that only writes down what it was asked to set,
// one line per call ("DoubleClickTime 550", "MouseAcceleration 1 6 10",
// "MouseSpeed 10", "WheelScrollLines -1"). It can play a desktop that lacks
// some settings and refuses others. For tests; thread-safe.

#include "performance/PointerSettingsBackend.h"

#include <mutex>
#include <string>
#include <vector>

class RecordingPointerBackend : public PointerSettingsBackend
{
public:
    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;

    // Everything recorded so far; the record is empty afterwards.
    std::vector<std::string> TakeCalls();

    void SetDesktop(std::string name, std::vector<PointerSetting> unsupported);
    // Told by the next TakeFailures.
    void AddFailure(PointerFailure failure);

    std::string DesktopName() const override;
    bool Supports(PointerSetting setting) const override;
    std::vector<PointerFailure> TakeFailures() override;

private:
    void Record(std::string call);

    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
    std::string m_desktop;
    std::vector<PointerSetting> m_unsupported;
    std::vector<PointerFailure> m_failures;
};
