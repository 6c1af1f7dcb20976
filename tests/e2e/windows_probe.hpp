// Looking at and poking the windows of another process the way a user would, with every
// cross-process call bounded in time.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace gpais::e2e {

using namespace std::chrono_literals;

// Visible top-level dialog-class windows of one process, in Z order.
std::vector<HWND> process_dialogs(DWORD process_id);
std::string describe_dialogs(DWORD process_id);

HWND find_dialog(DWORD process_id, const std::wstring& caption);
HWND wait_dialog(DWORD process_id, const std::wstring& caption,
                 std::chrono::milliseconds limit = 10s);
void wait_gone(HWND window, const std::string& what, std::chrono::milliseconds limit = 10s);

HWND item(HWND dialog, int id);
std::wstring text_of(HWND window);
std::wstring text_of(HWND dialog, int id);
void set_text(HWND window, const std::wstring& text);
std::wstring class_of(HWND window);
bool checked(HWND button);

// A posted click: a sent one would not come back while the program sits in the modal loop
// of the message box or chooser that the click opens.
void click(HWND button);
void click(HWND dialog, int id);

// Sends a message and gives up after a few seconds instead of hanging with the program.
LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

}  // namespace gpais::e2e
