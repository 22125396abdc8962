#pragma once
// Minimal PNG output of a 32-bit picture (8-bit RGB, no alpha) with libpng.

#include <cstdint>
#include <string>

namespace kavelo {

// pixels: rows of 0xAARRGGBB words, strideWords apart. Returns false with a
// reason when the file cannot be written.
bool savePngRgb(const std::string& path, int width, int height, const uint32_t* pixels,
                int strideWords, std::string* error = nullptr);

}  // namespace kavelo
