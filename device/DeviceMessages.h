#pragma once
// Message numbers that cross between the driver, the device link and the
// main window, and the event words the mouse reports.

#include <cstdint>

inline constexpr uint32_t kDpiPopupMessage = 0x0469;   // lParam = DPI step value
inline constexpr uint32_t kDataEventMessage = 0x052D;  // wParam = event word, lParam = value
inline constexpr uint32_t kConnectionMessage = 0x052E; // wParam 1 arrived, 0 removed
inline constexpr uint32_t kApplyThreadMessage = 0x0670;

// Event words of kDataEventMessage; only the high byte counts.
inline constexpr uint16_t kEventReportRate = 0x0500;
inline constexpr uint16_t kEventDpiLevel = 0x0700;
inline constexpr uint16_t kEventButtonMode = 0x0800;
inline constexpr uint16_t kEventConnection = 0x7F00; // value 1 arrival, 2 removal
