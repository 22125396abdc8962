#include "QuickLook.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace kavelo::data {

namespace {

constexpr double kScale = 0.2;  // pixels per plane unit
constexpr int kW = static_cast<int>(kViewW * kScale), kH = static_cast<int>(kViewH * kScale);

struct Image {
    std::vector<unsigned char> px = std::vector<unsigned char>(static_cast<std::size_t>(kW * kH * 3), 0);
    void set(int x, int y, unsigned rgb) {
        if (x < 0 || y < 0 || x >= kW || y >= kH) return;
        std::size_t i = static_cast<std::size_t>((y * kW + x) * 3);
        px[i] = static_cast<unsigned char>(rgb >> 16);
        px[i + 1] = static_cast<unsigned char>(rgb >> 8);
        px[i + 2] = static_cast<unsigned char>(rgb);
    }
    void line(double x1, double y1, double x2, double y2, unsigned rgb) {
        int n = static_cast<int>(std::max(std::fabs(x2 - x1), std::fabs(y2 - y1))) + 1;
        for (int i = 0; i <= n; ++i) {
            double t = static_cast<double>(i) / n;
            set(static_cast<int>(x1 + t * (x2 - x1)), static_cast<int>(y1 + t * (y2 - y1)), rgb);
        }
    }
};

double sx(double x) { return (x - kViewX0) * kScale; }
double sy(double y) { return kH - (y - kViewY0) * kScale; }

void fillRing(Image& img, const CoastLine& ring, unsigned rgb) {
    // Even-odd scanline fill at pixel centres.
    for (int row = 0; row < kH; ++row) {
        double yc = row + 0.5;
        std::vector<double> xs;
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const auto& a = ring[i];
            const auto& b = ring[(i + 1) % ring.size()];
            double ay = sy(a.second), by = sy(b.second);
            if ((ay <= yc) == (by <= yc)) continue;
            double ax = sx(a.first), bx = sx(b.first);
            xs.push_back(ax + (yc - ay) / (by - ay) * (bx - ax));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2)
            for (int x = static_cast<int>(std::ceil(xs[k] - 0.5)); x < static_cast<int>(std::ceil(xs[k + 1] - 0.5)); ++x)
                img.set(x, row, rgb);
    }
}

unsigned depthColour(int d) {
    if (d < 30) return 0xe00000;
    if (d < 70) return 0xff9900;
    if (d < 150) return 0x00a000;
    if (d < 300) return 0x0060ff;
    return 0x8000c0;
}

}  // namespace

void writeQuickLook(const std::string& path, const std::vector<CoastLine>& coasts, const NodeGrid& grid,
                    const std::vector<QuickLookPoint>& events) {
    Image img;
    std::fill(img.px.begin(), img.px.end(), 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) img.set(x, y, 0xddffff);
    for (const auto& c : coasts) fillRing(img, c, 0xffffbb);
    for (const auto& c : coasts)
        for (std::size_t i = 0; i < c.size(); ++i) {
            const auto& a = c[i];
            const auto& b = c[(i + 1) % c.size()];
            img.line(sx(a.first), sy(a.second), sx(b.first), sy(b.second), 0x0000ff);
        }
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c + 1 < grid.cols; ++c)
            img.line(sx(grid.nodeX(r, c)), sy(grid.nodeY(r, c)), sx(grid.nodeX(r, c + 1)), sy(grid.nodeY(r, c + 1)),
                     0x00b0b0);
    for (int c = 0; c < grid.cols; ++c)
        for (int r = 0; r + 1 < grid.rows; ++r)
            img.line(sx(grid.nodeX(r, c)), sy(grid.nodeY(r, c)), sx(grid.nodeX(r + 1, c)), sy(grid.nodeY(r + 1, c)),
                     0x00b0b0);
    for (const auto& e : events) img.set(static_cast<int>(sx(e.x)), static_cast<int>(sy(e.y)), depthColour(e.depthKm));

    // volatile: f is read again after a longjmp from libpng.
    FILE* volatile f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        throw std::runtime_error("PNG encoding failed for " + path);
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, kW, kH, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < kH; ++y) png_write_row(png, img.px.data() + static_cast<std::size_t>(y * kW * 3));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace kavelo::data
