// The program's own window messages; their values are fixed because windows of different
// subsystems (and the skinned scroll frame's wrapped windows) exchange them.
#pragma once

#include <windows.h>

namespace ventrio {

inline constexpr UINT WM_LEBEDIT_END = 0x464;  // in-place list editor -> the edited list
// Posted by a window wrapped in a skinned scroll frame to the frame after its non-client size
// changed: wParam = it has a vertical scroll bar, lParam = its bars sit on the left.
inline constexpr UINT WM_SCROLL_FRAME_UPDATE = 0x464;
inline constexpr UINT WM_TRAY_NOTIFY = 0x7F1;
inline constexpr UINT WM_DEVICE_EVENT = 0x7F2;
inline constexpr UINT WM_SETTINGS_CLICK = 0x7F4;
inline constexpr UINT WM_MACRO_RECORD_KEY = 0x926;
inline constexpr UINT WM_PROFILE_COMMAND = 0xB03;
inline constexpr UINT WM_SINGLE_KEY_CAPTURED = 0xB04;
inline constexpr UINT WM_MARKER_POS = 0x2B15;

}  // namespace ventrio
