#pragma once
// Every message the program sends to a control that carries no text goes through here, so that a
// crash report shows it as a call level with its arguments. It is the ANSI call, so texts go
// through the UTF-16 ones instead (GetDlgItemTextW, SetDlgItemTextW), and so does the question
// of a text's length (WM_GETTEXTLENGTH), whose answer counts the text's UTF-16 units.

#include <windows.h>

#include <cstdint>
#include <span>

namespace gpais::ui {

// Sends a message that carries no text. The buffer form lends the control a writable copy of
// the caller's bytes and stores back what the control left there.
std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
std::int32_t CONTROLMESSAGE(HWND window, UINT message, WPARAM wparam,
                            std::span<std::uint8_t> buffer);

}  // namespace gpais::ui
