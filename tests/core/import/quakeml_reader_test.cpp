#include <gtest/gtest.h>

#include "import/QuakeMlReader.h"

using namespace kavelo::import;

namespace {
const char* kTwoEvents = R"(<?xml version="1.0" encoding="UTF-8"?>
<q:quakeml xmlns:q="http://quakeml.org/xmlns/quakeml/1.2" xmlns="http://quakeml.org/xmlns/bed/1.2">
  <eventParameters publicID="smi:local/catalog">
    <event publicID="smi:local/event/2018-hokkaido">
      <preferredOriginID>smi:local/origin/b</preferredOriginID>
      <preferredMagnitudeID>smi:local/magnitude/mw</preferredMagnitudeID>
      <type>earthquake</type>
      <description><text>北海道胆振地方中東部</text><type>region name</type></description>
      <origin publicID="smi:local/origin/a">
        <time><value>2018-09-05T18:08:00.100Z</value></time>
        <latitude><value>42.70</value></latitude>
        <longitude><value>142.00</value></longitude>
        <depth><value>30000</value></depth>
      </origin>
      <origin publicID="smi:local/origin/b">
        <time><value>2018-09-05T18:07:59.300Z</value></time>
        <latitude><value>42.6908</value><uncertainty>0.01</uncertainty></latitude>
        <longitude><value>142.0067</value></longitude>
        <depth><value>37000</value></depth>
      </origin>
      <magnitude publicID="smi:local/magnitude/mj">
        <mag><value>6.7</value></mag><type>Mj</type><originID>smi:local/origin/b</originID>
      </magnitude>
      <magnitude publicID="smi:local/magnitude/mw">
        <mag><value>6.6</value></mag><type>Mw</type>
      </magnitude>
    </event>
    <event publicID="smi:local/event/no-preferred-magnitude">
      <preferredOriginID>smi:local/origin/c</preferredOriginID>
      <magnitude publicID="smi:local/magnitude/other">
        <mag><value>4.1</value></mag><originID>smi:local/origin/elsewhere</originID>
      </magnitude>
      <magnitude publicID="smi:local/magnitude/of-c">
        <mag><value>4.8</value></mag><originID>smi:local/origin/c</originID>
      </magnitude>
      <origin publicID="smi:local/origin/c">
        <time><value>2010-12-31T15:30:12Z</value></time>
        <latitude><value>35.5</value></latitude>
        <longitude><value>140.25</value></longitude>
      </origin>
    </event>
  </eventParameters>
</q:quakeml>
)";
}  // namespace

TEST(QuakeMlReader, TakesThePreferredOriginAndMagnitude) {
    auto r = readQuakeMl(kTwoEvents);
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_TRUE(r.problems.empty()) << r.problems[0].reason;
    ASSERT_EQ(r.events.size(), 2u);
    const SourceEvent& e = r.events[0];
    EXPECT_TRUE(e.utc);
    EXPECT_EQ(e.time.minute, 7);
    EXPECT_NEAR(e.time.second, 59.3, 1e-9);
    EXPECT_EQ(e.latDdmm, 4241);
    EXPECT_EQ(e.lonDdmm, 14200);
    EXPECT_DOUBLE_EQ(*e.depthKm, 37.0);  // metres in the file
    EXPECT_DOUBLE_EQ(*e.mag, 6.6);       // the preferred Mw, not the Mj of the same origin
    EXPECT_EQ(e.origin,
              "\x96k\x8A"
              "C\x93\xB9\x92_\x90U\x92n\x95\xFB\x92\x86\x93\x8C\x95\x94");
    EXPECT_EQ(e.line, 4u);
}

TEST(QuakeMlReader, WithoutPreferredMagnitudeTakesTheOneOfThePreferredOrigin) {
    auto r = readQuakeMl(kTwoEvents);
    ASSERT_EQ(r.events.size(), 2u);
    const SourceEvent& e = r.events[1];
    EXPECT_DOUBLE_EQ(*e.mag, 4.8);
    EXPECT_FALSE(e.depthKm.has_value());
    EXPECT_EQ(e.latDdmm, 3530);
    EXPECT_EQ(e.lonDdmm, 14015);
    EXPECT_TRUE(e.origin.empty());

    // No magnitude at all: the event comes out without one (the conversion drops it).
    auto bare = readQuakeMl(
        "<quakeml><eventParameters><event publicID='x'><origin publicID='o'><time><value>"
        "2001-01-01T00:00:00Z</value></time><latitude><value>35</value></latitude><longitude>"
        "<value>139</value></longitude></origin></event></eventParameters></quakeml>");
    ASSERT_EQ(bare.events.size(), 1u);
    EXPECT_FALSE(bare.events[0].mag.has_value());
}

TEST(QuakeMlReader, ReportsBrokenEventsAndDocumentsWithoutCrashing) {
    auto r = readQuakeMl(
        "<quakeml><eventParameters>\n"
        "<event publicID='no-origin'><magnitude><mag><value>5</value></mag></magnitude></event>\n"
        "<event "
        "publicID='bad-time'><origin><time><value>yesterday</value></time></origin></event>\n"
        "<event publicID='deleted'><type>not existing</type></event>\n"
        "<event publicID='bad-lat'><origin><time><value>2001-01-01T00:00:00Z</value></time>"
        "<latitude><value>95</value></latitude><longitude><value>139</value></longitude></origin></"
        "event>\n"
        "</eventParameters></quakeml>");
    EXPECT_TRUE(r.events.empty());
    ASSERT_EQ(r.problems.size(), 3u);
    EXPECT_EQ(r.problems[0].line, 2u);
    EXPECT_NE(r.problems[0].reason.find("no origin"), std::string::npos);
    EXPECT_EQ(r.problems[1].line, 3u);
    EXPECT_EQ(r.problems[2].line, 5u);
    EXPECT_EQ(r.ignored["event of type 'not existing'"], 1u);

    auto cut = readQuakeMl(std::string(kTwoEvents).substr(0, 900));
    EXPECT_NE(cut.error.find("not well-formed"), std::string::npos);
    EXPECT_TRUE(cut.events.empty());
    EXPECT_FALSE(readQuakeMl("<html><body/></html>").error.empty());
    EXPECT_FALSE(readQuakeMl("").error.empty());
    // An entity that would pull in a local file is not expanded.
    auto xxe = readQuakeMl(
        "<?xml version='1.0'?><!DOCTYPE q [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>"
        "<quakeml><eventParameters><event><description><text>&x;</text><type>region name</type>"
        "</description><origin><time><value>2001-01-01T00:00:00Z</value></time><latitude><value>35"
        "</value></latitude><longitude><value>139</value></longitude></origin></event>"
        "</eventParameters></quakeml>");
    for (const auto& e : xxe.events) EXPECT_EQ(e.origin.find("root"), std::string::npos);

    QuakeMlReader q;
    EXPECT_GT(q.recognise(kTwoEvents), 0);
    EXPECT_EQ(q.recognise("time,latitude\n"), 0);
}
