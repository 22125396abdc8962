#include "catalogue/EarthquakeRecord.h"

#include <algorithm>
#include <cstring>

namespace kavelo {

namespace {
int16_t get16(const unsigned char* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}
int32_t get32(const unsigned char* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) |
                                (static_cast<uint32_t>(p[3]) << 24));
}
void put16(unsigned char* p, int16_t v) {
    auto u = static_cast<uint16_t>(v);
    p[0] = static_cast<unsigned char>(u & 0xff);
    p[1] = static_cast<unsigned char>(u >> 8);
}
void put32(unsigned char* p, int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>((u >> (8 * i)) & 0xff);
}
}  // namespace

std::string_view EarthquakeRecord::originName() const {
    const void* nul = std::memchr(origin, 0, kOriginSize);
    std::size_t n = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - origin)
                        : kOriginSize;
    return std::string_view(origin, n);
}

void EarthquakeRecord::setOrigin(std::string_view name) {
    std::memset(origin, 0, kOriginSize);
    std::size_t n = std::min(name.size(), kOriginSize - 1);
    if (n > 0) std::memcpy(origin, name.data(), n);  // an empty view may hold no pointer
}

EarthquakeRecord decodeRecord(const unsigned char* b) {
    EarthquakeRecord r;
    r.date = get32(b + 0);
    r.time = get16(b + 4);
    r.lon = get16(b + 6);
    r.lat = get16(b + 8);
    r.depth = get16(b + 10);
    r.mag = get16(b + 12);
    std::memcpy(r.origin, b + 14, kOriginSize);
    r.rika = b[46];
    r.spare = b[47];
    return r;
}

void encodeRecord(const EarthquakeRecord& r, unsigned char* b) {
    put32(b + 0, r.date);
    put16(b + 4, r.time);
    put16(b + 6, r.lon);
    put16(b + 8, r.lat);
    put16(b + 10, r.depth);
    put16(b + 12, r.mag);
    std::memcpy(b + 14, r.origin, kOriginSize);
    b[46] = r.rika;
    b[47] = r.spare;
}

std::array<unsigned char, kRecordSize> encodeRecord(const EarthquakeRecord& r) {
    std::array<unsigned char, kRecordSize> b{};
    encodeRecord(r, b.data());
    return b;
}

float ddmmToDegrees(int v) {
    return static_cast<float>(v / 100) + static_cast<float>(v % 100) * (1.0f / 60.0f);
}

}  // namespace kavelo
