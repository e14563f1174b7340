#pragma once
// A standard message box that closes itself after a few seconds, as if its
// default button had been pressed.
#include <windows.h>

#include <cstdint>
#include <string_view>

namespace modMsgBox {

inline constexpr UINT_PTR kTimerId = 20480;

// Shows the box modal to `owner` (which must be a window) and returns its
// result, 0 when no box could be shown. Throws std::overflow_error for a delay
// beyond 16 bits of milliseconds (seconds above 32 or below -32): no box then.
std::int16_t TimedMsgBox(HWND owner, std::string_view text, std::string_view title, UINT flags,
                         std::int16_t seconds);

void CALLBACK MsgBoxTimerProc(HWND hwnd, UINT msg, UINT_PTR idEvent, DWORD time);

}  // namespace modMsgBox
