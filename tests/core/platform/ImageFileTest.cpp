#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/ImageFile.h"

namespace fs = std::filesystem;
using namespace kavelo;

namespace {

std::vector<uint32_t> testPixels(int w, int h) {
    std::vector<uint32_t> px(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<std::size_t>(y * w + x)] =
                0xff000000u | static_cast<uint32_t>((x * 7) & 0xff) << 16 | static_cast<uint32_t>((y * 5) & 0xff) << 8 |
                static_cast<uint32_t>((x ^ y) & 0xff);
    return px;
}

// Decodes an 8-bit RGB PNG back to 0xffRRGGBB words.
bool decodePng(const fs::path& path, int& w, int& h, std::vector<uint32_t>& out) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, path.c_str())) return false;
    img.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> buf(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr)) return false;
    w = static_cast<int>(img.width);
    h = static_cast<int>(img.height);
    out.resize(static_cast<std::size_t>(w * h));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = 0xff000000u | buf[3 * i] << 16 | buf[3 * i + 1] << 8 | buf[3 * i + 2];
    png_image_free(&img);
    return true;
}

// Decodes an encoded PNG held in memory; colourType is byte 25 of the header (2 RGB, 3 palette).
bool decodePngBytes(const std::vector<unsigned char>& png, int& colourType, std::vector<uint32_t>& out) {
    if (png.size() < 26) return false;
    colourType = png[25];
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, png.data(), png.size())) return false;
    img.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> buf(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr)) return false;
    out.resize(static_cast<std::size_t>(img.width) * img.height);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = 0xff000000u | buf[3 * i] << 16 | buf[3 * i + 1] << 8 | buf[3 * i + 2];
    png_image_free(&img);
    return true;
}

}  // namespace

TEST(ImageFile, PngDecodesToTheSamePixels) {
    const int w = 37, h = 21;
    auto px = testPixels(w, h);
    fs::path path = fs::temp_directory_path() / "kavelo_image_test.png";
    ImageFileResult r = writePng(path.string(), PixelBuffer{px.data(), w, h, 0});
    ASSERT_TRUE(r.ok) << r.message;
    int dw = 0, dh = 0;
    std::vector<uint32_t> back;
    ASSERT_TRUE(decodePng(path, dw, dh, back));
    EXPECT_EQ(dw, w);
    EXPECT_EQ(dh, h);
    EXPECT_EQ(back, px);
    fs::remove(path);
}

TEST(ImageFile, FewColoursWriteAsPaletteManyAsRgbBothDecodingExactly) {
    // A map-like picture: flat areas, thin lines, marks in a few colours, rows padded.
    const int w = 720, h = 600, stride = 724;
    std::vector<uint32_t> buf(static_cast<std::size_t>(stride * h));
    std::vector<uint32_t> want(static_cast<std::size_t>(w * h));
    const uint32_t colours[] = {0xffddffffu, 0xffffffbbu, 0xff0000ffu, 0xff00ffffu, 0xffff0000u, 0xff000000u};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t c = colours[(x / 90 + y / 75) % 2];
            if (x % 60 == 0 || y % 50 == 0) c = colours[3];
            if ((x - 300) * (x - 300) + (y - 280) * (y - 280) < 400) c = colours[4 + (x + y) % 2];
            // The alpha byte is ignored; the writer must not count it as a colour.
            buf[static_cast<std::size_t>(y * stride + x)] = (x & 1 ? 0x00ffffffu : 0xffffffffu) & c;
            want[static_cast<std::size_t>(y * w + x)] = 0xff000000u | c;
        }
    std::vector<unsigned char> png;
    ASSERT_TRUE(encodePng(PixelBuffer{buf.data(), w, h, stride * 4}, png).ok);
    int type = 0;
    std::vector<uint32_t> back;
    ASSERT_TRUE(decodePngBytes(png, type, back));
    EXPECT_EQ(type, 3);
    EXPECT_TRUE(back == want);
    EXPECT_LT(png.size(), 40000u);

    // 256 distinct colours still fit a palette; the 257th makes it RGB.
    for (int n : {256, 257}) {
        std::vector<uint32_t> px(static_cast<std::size_t>(n) * 3);
        for (int i = 0; i < n * 3; ++i) px[static_cast<std::size_t>(i)] = 0xff000000u | static_cast<uint32_t>(i % n);
        ASSERT_TRUE(encodePng(PixelBuffer{px.data(), n, 3, 0}, png).ok);
        ASSERT_TRUE(decodePngBytes(png, type, back));
        EXPECT_EQ(type, n == 256 ? 3 : 2) << n;
        EXPECT_TRUE(back == px) << n;
    }
}

TEST(ImageFile, BmpIsABottomUpTwentyFourBitBitmap) {
    const int w = 5, h = 3;  // 15 bytes per row, padded to 16
    auto px = testPixels(w, h);
    px[0] = 0xff112233u;                     // top-left
    px[static_cast<std::size_t>(2 * w)] = 0xffaabbccu;  // bottom-left
    fs::path path = fs::temp_directory_path() / "kavelo_image_test.bmp";
    ASSERT_TRUE(writeBmp(path.string(), PixelBuffer{px.data(), w, h, 0}).ok);
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(b.size(), 54u + 16u * 3u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(b[2] | b[3] << 8, static_cast<int>(b.size()));
    EXPECT_EQ(b[10], 54);
    EXPECT_EQ(b[18], w);
    EXPECT_EQ(b[22], h);
    EXPECT_EQ(b[28], 24);
    // First stored row is the bottom one, in blue-green-red order.
    EXPECT_EQ(b[54], 0xcc);
    EXPECT_EQ(b[55], 0xbb);
    EXPECT_EQ(b[56], 0xaa);
    EXPECT_EQ(b[54 + 32], 0x33);
    EXPECT_EQ(b[54 + 33], 0x22);
    EXPECT_EQ(b[54 + 34], 0x11);
    fs::remove(path);
}

TEST(ImageFile, WriteErrorsAreReportedNotHidden) {
    auto px = testPixels(4, 4);
    PixelBuffer img{px.data(), 4, 4, 0};
    std::string bad = (fs::temp_directory_path() / "no_such_dir_kavelo" / "x.png").string();
    ImageFileResult r = writePng(bad, img);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("x.png"), std::string::npos);
    EXPECT_FALSE(writeBmp(bad, img).ok);
    EXPECT_FALSE(writePng("/tmp/kavelo_empty.png", PixelBuffer{}).ok);
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(writePng("/dev/full", img).ok);
    }
}
