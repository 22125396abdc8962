#include "platform/ImageFile.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace kavelo {

namespace {

bool validImage(const PixelBuffer& image) {
    return image.pixels != nullptr && image.width > 0 && image.height > 0 && image.width <= 100000 &&
           image.height <= 100000;
}

struct PngErrorState {
    char message[256] = "unknown PNG error";
};

void pngError(png_structp png, png_const_charp msg) {
    auto* st = static_cast<PngErrorState*>(png_get_error_ptr(png));
    if (st) std::snprintf(st->message, sizeof st->message, "%s", msg);
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

void pngWriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlush(png_structp) {}

// The colours of a picture with at most 256 of them, and each pixel's index: maps, graphs
// and charts are drawn in a few flat colours, so they are written as palette images.
struct Palette {
    std::vector<uint32_t> colours;
    std::vector<unsigned char> indices;  // width x height
};

bool buildPalette(const PixelBuffer& image, Palette& pal) {
    // Open addressing over 1024 slots; a slot holds colour + 1 (0 = free).
    uint32_t keys[1024] = {};
    unsigned char values[1024] = {};
    pal.colours.clear();
    pal.indices.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    unsigned char* out = pal.indices.data();
    uint32_t last = 0xffffffffu;
    unsigned char lastIndex = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t rgb = image.at(x, y) & 0xffffffu;
            if (rgb != last) {
                uint32_t slot = (rgb * 2654435761u) >> 22;
                while (keys[slot] != 0 && keys[slot] != rgb + 1) slot = (slot + 1) & 1023;
                if (keys[slot] == 0) {
                    if (pal.colours.size() == 256) return false;
                    keys[slot] = rgb + 1;
                    values[slot] = static_cast<unsigned char>(pal.colours.size());
                    pal.colours.push_back(rgb);
                }
                last = rgb;
                lastIndex = values[slot];
            }
            *out++ = lastIndex;
        }
    }
    return true;
}

// Encoding goes through this helper so that no C++ object with a destructor lives in the
// frame that libpng may longjmp out of. With a palette the rows are its indices, else RGB.
bool encodePngRaw(const PixelBuffer& image, const Palette* pal, std::vector<unsigned char>* out, unsigned char* row,
                  PngErrorState* st) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, st, pngError, pngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, pngWriteToVector, pngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 pal ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (pal) {
        png_color colours[256];
        for (std::size_t k = 0; k < pal->colours.size(); ++k) {
            colours[k].red = static_cast<png_byte>((pal->colours[k] >> 16) & 0xff);
            colours[k].green = static_cast<png_byte>((pal->colours[k] >> 8) & 0xff);
            colours[k].blue = static_cast<png_byte>(pal->colours[k] & 0xff);
        }
        png_set_PLTE(png, info, colours, static_cast<int>(pal->colours.size()));
        // Index rows of flat colours: long runs, which run-length deflate finds fastest;
        // row filters only blur the runs.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_strategy(png, Z_RLE);
    } else {
        // Many colours (photos, gradients): the "up" filter and fast deflate.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_set_compression_level(png, 3);
    }
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        if (pal) {
            png_write_row(png, pal->indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width));
            continue;
        }
        for (int x = 0; x < image.width; ++x) {
            uint32_t p = image.at(x, y);
            row[3 * x] = static_cast<unsigned char>((p >> 16) & 0xff);
            row[3 * x + 1] = static_cast<unsigned char>((p >> 8) & 0xff);
            row[3 * x + 2] = static_cast<unsigned char>(p & 0xff);
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

ImageFileResult writeAll(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return ImageFileResult{false, "Cannot create the file " + path + ": " + std::strerror(errno)};
    std::size_t n = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    int writeErr = n == bytes.size() ? 0 : errno;
    int closeRc = std::fclose(f);
    if (writeErr != 0 || n != bytes.size())
        return ImageFileResult{false, "Cannot write the file " + path + ": " + std::strerror(writeErr ? writeErr : EIO)};
    if (closeRc != 0) return ImageFileResult{false, "Cannot write the file " + path + ": " + std::strerror(errno)};
    return {};
}

void put16(std::vector<unsigned char>& b, std::size_t off, uint32_t v) {
    b[off] = static_cast<unsigned char>(v & 0xff);
    b[off + 1] = static_cast<unsigned char>((v >> 8) & 0xff);
}
void put32(std::vector<unsigned char>& b, std::size_t off, uint32_t v) {
    put16(b, off, v & 0xffff);
    put16(b, off + 2, v >> 16);
}

}  // namespace

ImageFileResult encodePng(const PixelBuffer& image, std::vector<unsigned char>& out) {
    if (!validImage(image)) return ImageFileResult{false, "PNG: the picture is empty"};
    out.clear();
    Palette pal;
    const bool paletted = buildPalette(image, pal);
    std::vector<unsigned char> row(paletted ? 0 : static_cast<std::size_t>(image.width) * 3);
    // The encoded size is rarely more than a byte per pixel; one reservation saves regrowing.
    out.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) / 4);
    PngErrorState st;
    if (!encodePngRaw(image, paletted ? &pal : nullptr, &out, row.data(), &st))
        return ImageFileResult{false, std::string("PNG: ") + st.message};
    return {};
}

ImageFileResult writePng(const std::string& path, const PixelBuffer& image) {
    std::vector<unsigned char> bytes;
    ImageFileResult r = encodePng(image, bytes);
    if (!r.ok) return r;
    return writeAll(path, bytes);
}

std::vector<unsigned char> encodeBmp(const PixelBuffer& image) {
    if (!validImage(image)) return {};
    const std::size_t rowBytes = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
    const std::size_t dataSize = rowBytes * static_cast<std::size_t>(image.height);
    const std::size_t headerSize = 14 + 40;
    std::vector<unsigned char> b(headerSize + dataSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(b.size()));
    put32(b, 10, static_cast<uint32_t>(headerSize));
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(image.width));
    put32(b, 22, static_cast<uint32_t>(image.height));  // positive: bottom-up
    put16(b, 26, 1);                                    // planes
    put16(b, 28, 24);                                   // bits per pixel
    put32(b, 30, 0);                                    // BI_RGB
    put32(b, 34, static_cast<uint32_t>(dataSize));
    put32(b, 38, 3780);  // 96 dpi
    put32(b, 42, 3780);
    for (int y = 0; y < image.height; ++y) {
        unsigned char* row = b.data() + headerSize + rowBytes * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            uint32_t p = image.at(x, y);
            row[3 * x] = static_cast<unsigned char>(p & 0xff);             // blue
            row[3 * x + 1] = static_cast<unsigned char>((p >> 8) & 0xff);  // green
            row[3 * x + 2] = static_cast<unsigned char>((p >> 16) & 0xff); // red
        }
    }
    return b;
}

ImageFileResult writeBmp(const std::string& path, const PixelBuffer& image) {
    if (!validImage(image)) return ImageFileResult{false, "BMP: the picture is empty"};
    return writeAll(path, encodeBmp(image));
}

}  // namespace kavelo
