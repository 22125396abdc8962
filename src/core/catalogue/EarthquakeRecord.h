#pragma once
// The 48-byte hypocentre record shared by memory and the catalogue files.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kavelo {

constexpr std::size_t kRecordSize = 48;
constexpr std::size_t kOriginSize = 32;

struct EarthquakeRecord {
    int32_t date = 0;   // YYYYMMDD
    int16_t time = 0;   // HHMM
    int16_t lon = 0;    // dddmm
    int16_t lat = 0;    // ddmm
    int16_t depth = 0;  // km
    int16_t mag = 0;    // magnitude x 10
    char origin[kOriginSize] = {};  // Shift-JIS, NUL-terminated inside the 32 bytes
    uint8_t rika = 0;   // 1 = taken from RIKA.BIN
    uint8_t spare = 0;

    // The origin name up to its NUL (never past the 32 bytes).
    std::string_view originName() const;
    // Stores a name, truncated to 31 bytes so that it stays NUL-terminated.
    void setOrigin(std::string_view name);
};

// Little-endian field-by-field conversion; portable whatever the host layout.
EarthquakeRecord decodeRecord(const unsigned char* bytes);
void encodeRecord(const EarthquakeRecord& r, unsigned char* bytes);
std::array<unsigned char, kRecordSize> encodeRecord(const EarthquakeRecord& r);

// Degree-minute integer (ddmm or dddmm) to decimal degrees, truncating division.
float ddmmToDegrees(int v);

}  // namespace kavelo
