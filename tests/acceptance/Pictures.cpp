#include "acceptance/Pictures.h"

#include <cstring>

#include "acceptance/Owned.h"
#include "acceptance/Screenshot.h"

namespace {

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
    const OwnedHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (1 << 24)) {
        return {};
    }
    std::vector<unsigned char> data(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) || read != data.size()) {
        return {};
    }
    return data;
}

template <typename Value>
Value Read(const std::vector<unsigned char>& data, std::size_t at) {
    Value value{};
    if (at + sizeof value <= data.size()) {
        std::memcpy(&value, data.data() + at, sizeof value);
    }
    return value;
}

// A 32-bit image after its BITMAPINFOHEADER: rows of blue, green, red, alpha, bottom row first.
Picture BottomUpImage(const std::vector<unsigned char>& data,
                      std::size_t bits,
                      int width,
                      int height,
                      int left,
                      int columns) {
    Picture picture;
    if (bits + static_cast<std::size_t>(width) * height * 4 > data.size()) {
        return picture;
    }
    picture.Width = columns;
    picture.Height = height;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = bits + (static_cast<std::size_t>(height - 1 - y) * width + left) * 4;
        for (int x = 0; x < columns; ++x) {
            picture.Argb.push_back(Read<DWORD>(data, row + static_cast<std::size_t>(x) * 4));
        }
    }
    return picture;
}

}  // namespace

std::string PicturesFolder() {
    const std::string folder = ZUB_PICTURES_FOLDER;
    // Built on Linux for Wine, the folder is a Linux path, which Wine shows under drive Z:.
    return folder.front() == '/' ? WindowsPathOf(folder) : folder;
}

Picture MenuGlyph(int size, int index) {
    const std::vector<unsigned char> file =
        ReadWholeFile(PicturesFolder() + "\\MenuGlyphs" + std::to_string(size) + ".bmp");
    const std::size_t header = 14;
    if (file.size() < header + 40 || Read<WORD>(file, 0) != 0x4D42 || Read<WORD>(file, header + 14) != 32 ||
        Read<LONG>(file, header + 8) != size) {
        return {};
    }
    const int width = Read<LONG>(file, header + 4);
    return BottomUpImage(file, Read<DWORD>(file, 10), width, size, index * size, size);
}

Picture IconImage(int size) {
    const std::vector<unsigned char> file = ReadWholeFile(PicturesFolder() + "\\MainIcon.ico");
    const WORD count = Read<WORD>(file, 4);
    for (WORD i = 0; i < count; ++i) {
        // Sixteen bytes each: width, height, colours, reserved, planes, bits, size, offset.
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const int side = Read<BYTE>(file, entry) == 0 ? 256 : Read<BYTE>(file, entry);
        const std::size_t image = Read<DWORD>(file, entry + 12);
        if (side == size && Read<WORD>(file, entry + 6) == 32 && Read<DWORD>(file, image) == 40) {
            return BottomUpImage(file, image + 40, size, size, 0, size);
        }
    }
    return {};
}

namespace {

bool Shows(const ScreenPixels& area, int left, int top, const Picture& picture, std::optional<DWORD> background) {
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            const DWORD pixel = picture.At(x, y);
            const DWORD alpha = pixel >> 24;
            const DWORD seen = area.At(left + x, top + y);
            if (alpha == 255) {
                if (seen != (pixel & 0xFFFFFF)) {
                    return false;
                }
                continue;
            }
            if (!background) {
                continue;
            }
            for (int shift = 0; shift <= 16; shift += 8) {
                const int drawn = static_cast<int>((pixel >> shift) & 0xFF);
                const int under = static_cast<int>((*background >> shift) & 0xFF);
                const int blend = (drawn * static_cast<int>(alpha) + under * (255 - static_cast<int>(alpha))) / 255;
                const int difference = static_cast<int>((seen >> shift) & 0xFF) - blend;
                if (difference > 2 || difference < -2) {
                    return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

POINT FindPicture(const ScreenPixels& area, const Picture& picture, std::optional<DWORD> background) {
    if (picture.Empty()) {
        return POINT{-1, -1};
    }
    for (int top = 0; top + picture.Height <= area.Height(); ++top) {
        for (int left = 0; left + picture.Width <= area.Width(); ++left) {
            if (Shows(area, left, top, picture, background)) {
                return POINT{left, top};
            }
        }
    }
    return POINT{-1, -1};
}
