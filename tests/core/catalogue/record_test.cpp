#include <gtest/gtest.h>

#include "catalogue/EarthquakeRecord.h"

using namespace kavelo;

TEST(EarthquakeRecord, RoundTripsLittleEndianFieldByField) {
    EarthquakeRecord r;
    r.date = 19950117;
    r.time = 546;
    r.lon = 13503;
    r.lat = 3436;
    r.depth = -3;
    r.mag = 73;
    r.setOrigin("\x95\xba\x8c\xc9\x8c\xa7\x93\xec\x95\x94");
    r.rika = 1;
    r.spare = 0xAB;
    auto b = encodeRecord(r);
    // date 19950117 = 0x01306A25
    EXPECT_EQ(b[0], 0x25);
    EXPECT_EQ(b[1], 0x6A);
    EXPECT_EQ(b[2], 0x30);
    EXPECT_EQ(b[3], 0x01);
    EXPECT_EQ(b[10], 0xFD);  // depth -3
    EXPECT_EQ(b[11], 0xFF);
    EXPECT_EQ(b[46], 1);
    EXPECT_EQ(b[47], 0xAB);
    EarthquakeRecord d = decodeRecord(b.data());
    EXPECT_EQ(d.date, r.date);
    EXPECT_EQ(d.time, r.time);
    EXPECT_EQ(d.lon, r.lon);
    EXPECT_EQ(d.lat, r.lat);
    EXPECT_EQ(d.depth, r.depth);
    EXPECT_EQ(d.mag, r.mag);
    EXPECT_EQ(d.originName(), r.originName());
}

TEST(EarthquakeRecord, OriginWithoutNulStopsAtThirtyTwoBytes) {
    unsigned char b[kRecordSize];
    for (auto& c : b) c = 'A';
    EarthquakeRecord d = decodeRecord(b);
    EXPECT_EQ(d.originName().size(), kOriginSize);
    d.setOrigin(std::string(40, 'x'));
    EXPECT_EQ(d.originName().size(), kOriginSize - 1);
}

TEST(EarthquakeRecord, DdmmToDegreesTruncatesTowardZero) {
    EXPECT_FLOAT_EQ(ddmmToDegrees(3430), 34.5f);
    EXPECT_FLOAT_EQ(ddmmToDegrees(13318), 133.0f + 18.0f / 60.0f);
    EXPECT_FLOAT_EQ(ddmmToDegrees(-130), -1.5f);
}
