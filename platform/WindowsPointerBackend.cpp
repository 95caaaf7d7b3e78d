#include "platform/WindowsPointerBackend.h"

#include <windows.h>

#include <cstdint>

namespace
{

constexpr UINT kFlags = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

} // namespace

void WindowsPointerBackend::SetDoubleClickTime(int milliseconds)
{
    ::SetDoubleClickTime(static_cast<UINT>(milliseconds));
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(milliseconds), nullptr, kFlags);
}

void WindowsPointerBackend::SetMouseAcceleration(const std::array<int, 3>& values)
{
    int array[3] = {values[0], values[1], values[2]};
    SystemParametersInfoW(SPI_SETMOUSE, 0, array, kFlags);
}

void WindowsPointerBackend::SetMouseSpeed(int speed)
{
    // The speed travels as the pointer argument itself.
    SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                          reinterpret_cast<void*>(static_cast<intptr_t>(speed)), kFlags);
}

void WindowsPointerBackend::SetWheelScrollLines(int lines)
{
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, static_cast<UINT>(lines),
                          reinterpret_cast<void*>(static_cast<intptr_t>(lines)), kFlags);
}
