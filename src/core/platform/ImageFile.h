#pragma once
// Writes a picture held as 32-bit pixels to PNG (libpng, deflate) or to a Windows bitmap.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kavelo {

// Pixels as 0xAARRGGBB words (alpha ignored), rows top to bottom, strideBytes apart.
struct PixelBuffer {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t strideBytes = 0;  // 0 means width * 4

    uint32_t at(int x, int y) const {
        std::size_t stride = strideBytes ? strideBytes : static_cast<std::size_t>(width) * 4;
        auto row = reinterpret_cast<const unsigned char*>(pixels) + stride * static_cast<std::size_t>(y);
        return reinterpret_cast<const uint32_t*>(row)[x];
    }
};

struct ImageFileResult {
    bool ok = true;
    std::string message;  // why writing failed, ready for a message box
};

ImageFileResult writePng(const std::string& path, const PixelBuffer& image);
// 24-bit uncompressed bitmap, bottom-up rows padded to 4 bytes.
ImageFileResult writeBmp(const std::string& path, const PixelBuffer& image);

// Encodes to memory (for timing and for callers that write elsewhere).
ImageFileResult encodePng(const PixelBuffer& image, std::vector<unsigned char>& out);
std::vector<unsigned char> encodeBmp(const PixelBuffer& image);

}  // namespace kavelo
