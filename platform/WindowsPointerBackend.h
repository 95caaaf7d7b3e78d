#pragma once
// The pointer settings of Windows itself, made permanent and broadcast.
// Compiled only on Windows.

#include "performance/PointerSettingsBackend.h"

class WindowsPointerBackend : public PointerSettingsBackend
{
public:
    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;
};
