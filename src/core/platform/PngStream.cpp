#include "platform/PngStream.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace kavelo {

namespace {

struct FileCloser {
    FILE* f;
    ~FileCloser() {
        if (f) std::fclose(f);
    }
};

}  // namespace

bool savePngRgb(const std::string& path, int width, int height, const uint32_t* pixels,
                int strideWords, std::string* error) {
    auto fail = [&](const char* why) {
        if (error) *error = why;
        return false;
    };
    if (width <= 0 || height <= 0 || !pixels) return fail("empty picture");
    FileCloser file{std::fopen(path.c_str(), "wb")};
    if (!file.f) return fail("cannot create the file");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return fail("out of memory");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return fail("out of memory");
    }
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return fail("write error");
    }
    png_init_io(png, file.f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + static_cast<size_t>(y) * static_cast<size_t>(strideWords);
        for (int x = 0; x < width; ++x) {
            row[static_cast<size_t>(3 * x)] = static_cast<png_byte>((src[x] >> 16) & 0xff);
            row[static_cast<size_t>(3 * x + 1)] = static_cast<png_byte>((src[x] >> 8) & 0xff);
            row[static_cast<size_t>(3 * x + 2)] = static_cast<png_byte>(src[x] & 0xff);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    if (std::ferror(file.f)) return fail("write error");
    return true;
}

}  // namespace kavelo
