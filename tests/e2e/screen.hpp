// What is on the screen: a rectangle of it as pixels, the picture of the dialog for the
// documentation, and which standard icon a message box shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gpais::e2e {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

Image capture(const RECT& screen_area);
void save_bmp(const Image& picture, const std::filesystem::path& file);

// The standard icon that a window shows, told apart by its pixels: another process's icon
// handles mean nothing here. Returns the LoadIcon id (IDI_ERROR, ...), or nullptr when the
// picture matches none of them well.
const wchar_t* shown_icon(HWND icon_control);
std::string icon_name(const wchar_t* id);

}  // namespace gpais::e2e
