#include "screen.hpp"

#include <cstdlib>
#include <fstream>
#include <limits>

#include "base/unique_handle.hpp"
#include "check.hpp"

namespace gpais::e2e {

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
struct Canvas {
    UniqueMemoryDc dc;
    UniqueGdiObject bitmap;
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    Canvas(int w, int h) : width(w), height(h) {
        const UniqueScreenDc screen{::GetDC(nullptr)};
        dc.reset(::CreateCompatibleDC(screen.get()));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        bitmap.reset(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        expect(dc && bitmap && memory != nullptr, "cannot make a bitmap for a screen capture");
        bits = static_cast<std::uint32_t*>(memory);
        ::SelectObject(dc.get(), bitmap.get());
    }

    Image picture() const {
        ::GdiFlush();
        Image result{width, height, {}};
        result.pixels.assign(bits, bits + static_cast<size_t>(width) * height);
        for (auto& pixel : result.pixels) {
            pixel &= 0x00FFFFFF;
        }
        return result;
    }
};

long long distance(const Image& a, const Image& b) {
    long long sum = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            sum += std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                            static_cast<int>((b.pixels[i] >> shift) & 0xFF));
        }
    }
    return sum;
}

// Our own drawing of a standard icon over the background that the window shows around it.
Image drawn_icon(const wchar_t* id, int width, int height, std::uint32_t background) {
    Canvas target(width, height);
    for (int i = 0; i < width * height; ++i) {
        target.bits[i] = background;
    }
    HICON icon = ::LoadIconW(nullptr, id);
    expect(icon != nullptr, "cannot load a standard icon");
    ::DrawIconEx(target.dc.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    return target.picture();
}

}  // namespace

Image capture(const RECT& area) {
    Canvas target(area.right - area.left, area.bottom - area.top);
    const UniqueScreenDc screen{::GetDC(nullptr)};
    expect(::BitBlt(target.dc.get(), 0, 0, target.width, target.height, screen.get(), area.left,
                    area.top, SRCCOPY) != FALSE,
           "cannot read the screen");
    return target.picture();
}

void save_bmp(const Image& picture, const std::filesystem::path& file) {
    const auto row = static_cast<std::uint32_t>(picture.width) * 3;
    const auto padded = (row + 3) & ~3u;
    const auto data_size = padded * static_cast<std::uint32_t>(picture.height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + data_size;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;  // bottom row first, as every reader expects
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = data_size;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::string line(padded, '\0');
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const auto pixel = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            line[x * 3 + 0] = static_cast<char>(pixel & 0xFF);
            line[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            line[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
    expect(static_cast<bool>(out), "cannot write " + to_utf8(file.wstring()));
}

const wchar_t* shown_icon(HWND icon_control) {
    RECT area{};
    ::GetWindowRect(icon_control, &area);
    const Image seen = capture(area);
    if (seen.pixels.empty()) {
        return nullptr;
    }
    const wchar_t* candidates[] = {IDI_ERROR, IDI_WARNING, IDI_INFORMATION};
    const wchar_t* best = nullptr;
    long long best_distance = std::numeric_limits<long long>::max();
    long long runner_up = best_distance;
    for (const wchar_t* id : candidates) {
        const long long d = distance(seen, drawn_icon(id, seen.width, seen.height, seen.pixels[0]));
        if (d < best_distance) {
            runner_up = best_distance;
            best_distance = d;
            best = id;
        } else if (d < runner_up) {
            runner_up = d;
        }
    }
    // A clear winner only: a box that is not painted yet matches all three about equally badly.
    const long long per_pixel = best_distance / static_cast<long long>(seen.pixels.size());
    return per_pixel < 24 && best_distance * 4 < runner_up ? best : nullptr;
}

std::string icon_name(const wchar_t* id) {
    if (id == IDI_ERROR) {
        return "error";
    }
    if (id == IDI_WARNING) {
        return "warning";
    }
    if (id == IDI_INFORMATION) {
        return "information";
    }
    return "none recognised";
}

}  // namespace gpais::e2e
