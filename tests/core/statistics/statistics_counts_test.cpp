#include <gtest/gtest.h>

#include <cmath>

#include "statistics/Cumulative.h"
#include "statistics/Frequency.h"

using namespace kavelo;

namespace {

struct Quakes {
    Catalogue cat;
    SelectionList sel;
    void add(int date, int mag) {
        EarthquakeRecord& r = cat[cat.recordCount];
        r.date = date;
        r.mag = static_cast<int16_t>(mag);
        sel[sel.selectionCount++] = cat.recordCount++;
    }
};

}  // namespace

TEST(FrequencyStep, ChoosesThreeStepScaleAndLabelFormat) {
    EXPECT_DOUBLE_EQ(frequencyStep(7), 2.5);
    EXPECT_EQ(frequencyLabel(2.5, 2.5, 0.001), " 2.5");
    EXPECT_DOUBLE_EQ(frequencyStep(30), 10.0);
    EXPECT_EQ(frequencyLabel(20, 10, 0.001), "  20");
    EXPECT_DOUBLE_EQ(frequencyStep(3), 1.0);
    EXPECT_DOUBLE_EQ(frequencyStep(4), 1.5);
    EXPECT_DOUBLE_EQ(frequencyStep(16), 10.0);
    EXPECT_DOUBLE_EQ(frequencyStep(1), 0.5);
    // No data or nonsense never loops: a unit step.
    EXPECT_DOUBLE_EQ(frequencyStep(0), 1.0);
    EXPECT_DOUBLE_EQ(frequencyStep(NAN), 1.0);
}

TEST(FrequencyTables, ClassesYearsAndMonths) {
    EXPECT_EQ(magnitudeClass(35), -1);
    EXPECT_EQ(magnitudeClass(40), 0);
    EXPECT_EQ(magnitudeClass(89), 4);
    EXPECT_EQ(magnitudeClass(90), -1);

    Quakes q;
    q.add(18841231, 60);  // before the start: ignored
    q.add(18850115, 35);  // counted, no class
    q.add(19230901, 79);
    q.add(19230902, 90);  // counted, no class
    q.add(20111231, 45);
    FrequencyTables t = countFrequencies(q.cat, q.sel, 1885, 2100);
    EXPECT_EQ(t.total, 4);
    EXPECT_EQ(t.years, 136);  // 1885 ... 2020
    EXPECT_EQ(t.yearly[0], 1);
    EXPECT_EQ(t.yearly[1923 - 1885], 2);
    EXPECT_EQ(t.monthly[12 * (1923 - 1885) + 8], 2);
    EXPECT_EQ(t.monthly[12 * (2011 - 1885) + 11], 1);
    EXPECT_EQ(t.classes[1923 - 1885][3], 1);
    EXPECT_EQ(t.classes[1923 - 1885][4], 0);
    EXPECT_EQ(t.classes[0][0], 0);
    EXPECT_EQ(t.maxYearly(), 2);

    // From 1926 the earlier records drop out entirely.
    FrequencyTables a = countFrequencies(q.cat, q.sel, 1926, 2100);
    EXPECT_EQ(a.total, 1);
    EXPECT_EQ(a.years, 95);
}

TEST(FrequencyTables, RecentRecordsExtendTheTableOrAreCountedAsLeftOut) {
    Quakes q;
    q.add(19500101, 50);
    q.add(20240301, 50);
    q.add(20261207, 61);
    q.add(20261200, 61);  // month 12, day 0 still counts
    q.add(20260001, 50);  // month 0: yearly only
    // Yearly graph: the table reaches the latest selected year.
    FrequencyTables y = countFrequencies(q.cat, q.sel, 1926, yearlyLastYear(1926, 8, 913));
    EXPECT_EQ(y.lastYear(), 2026);
    EXPECT_EQ(y.leftOut, 0);
    EXPECT_EQ(y.badMonth, 1);
    EXPECT_EQ(y.yearly[2026 - 1926], 3);
    EXPECT_EQ(y.classes[2026 - 1926][2], 2);
    EXPECT_EQ(y.monthly[12 * (2026 - 1926) + 11], 2);
    // Bars of 8 pixels from x = 80 with 20 pixels of grid line fit in 913.
    EXPECT_LE(80 + y.years * 8 + 20, 913);
    EXPECT_LE(80 + (yearlyLastYear(1885, 5, 913) - 1885 + 1) * 5 + 20, 913);
    // Monthly graph: two rows of 50 years end in 2025; later months are left out.
    FrequencyTables m = countFrequencies(q.cat, q.sel, 1926, kMonthlyLastYear);
    EXPECT_EQ(m.lastYear(), 2025);
    EXPECT_EQ(m.total, 5);
    EXPECT_EQ(m.leftOut, 3);
    EXPECT_EQ(m.monthly[12 * (2024 - 1926) + 2], 1);
    // Nothing after 2020: the standard table length.
    Quakes old;
    old.add(19000101, 50);
    EXPECT_EQ(countFrequencies(old.cat, old.sel, 1885, 2100).lastYear(), 2020);
}

TEST(CountCumulative, HandMadeCatalogue) {
    Quakes q;
    q.add(18840101, 70);  // before 1885: left out
    q.add(19000101, 39);  // below m0
    for (int i = 0; i < 6; ++i) q.add(19100101, 40);
    for (int i = 0; i < 3; ++i) q.add(19200101, 42);
    q.add(19300101, 45);
    q.add(19400101, 89);  // 4.9 above m0: the last bin
    q.add(19500101, 95);  // 5.5 above m0: kept in the last bin
    CumulativeCount c = countCumulative(q.cat, q.sel, 40);
    EXPECT_EQ(c.cumCount[0], 12);
    EXPECT_EQ(c.cumCount[1], 6);
    EXPECT_EQ(c.cumCount[2], 6);
    EXPECT_EQ(c.cumCount[3], 3);
    EXPECT_EQ(c.cumCount[5], 3);
    EXPECT_EQ(c.cumCount[6], 2);
    EXPECT_EQ(c.cumCount[49], 2);
    EXPECT_EQ(c.usedBins(), 50);
    EXPECT_EQ(c.magMax, 95);
    EXPECT_EQ(c.beyondLastBin, 1);

    // All at m0: nothing above bin 0.
    Quakes e;
    for (int i = 0; i < 7; ++i) e.add(20000101, 40);
    CumulativeCount ce = countCumulative(e.cat, e.sel, 40);
    EXPECT_EQ(ce.cumCount[0], 7);
    EXPECT_EQ(ce.cumCount[1], 0);
    EXPECT_EQ(ce.magMax, 0);
    EXPECT_EQ(ce.usedBins(), 1);
}

TEST(CumulativeFrame, AxesAndGuards) {
    FrameProblem p;
    CumulativeFrame f = cumulativeFrame(40, 1234, &p);
    EXPECT_TRUE(f.valid);
    EXPECT_EQ(f.xs, 4);
    EXPECT_EQ(f.nx, 5);
    EXPECT_EQ(f.dx, 48);
    EXPECT_EQ(f.ny, 4);
    EXPECT_EQ(f.dy, 90);
    CumulativeFrame g = cumulativeFrame(45, 10, &p);
    EXPECT_EQ(g.xOf(4.5) - g.x0, 24);
    EXPECT_EQ(g.yOfLog(1.0), 400 - 180);

    EXPECT_FALSE(cumulativeFrame(40, 0, &p).valid);
    EXPECT_EQ(p, FrameProblem::Empty);
    EXPECT_FALSE(cumulativeFrame(90, 10, &p).valid);
    EXPECT_EQ(p, FrameProblem::MagnitudeTooHigh);
    EXPECT_FALSE(cumulativeFrame(-5000, 10, &p).valid);
    EXPECT_EQ(p, FrameProblem::MagnitudeTooLow);

    ProbabilityFrame pf = probabilityFrame(40);
    EXPECT_TRUE(pf.valid);
    EXPECT_EQ(pf.dx, 48);
    EXPECT_EQ(pf.dy, 51);
    EXPECT_EQ(pf.xOf(4.1), 454);
    EXPECT_FALSE(probabilityFrame(90).valid);
    EXPECT_EQ(pixelTrunc(NAN), -1000000);
    EXPECT_EQ(pixelTrunc(1e300), 1000000);
    EXPECT_EQ(pixelTrunc(-3.7), -3);
}

TEST(Eqricht, LinesEndWithCrLf) {
    CumulativeTable t{};
    t[0] = 1234;
    t[1] = 56;
    t[2] = 7;
    const std::string s = eqrichtText({"\x8a\xfa\x8a\xd4", "b"}, 40, t);
    EXPECT_EQ(s, "\x8a\xfa\x8a\xd4\r\nb\r\nmagnitude,cum freq\r\n4.0,  1234\r\n4.1,    56\r\n4.2,     7\r\n");
}
