#pragma once
// Yearly and monthly earthquake counts of a selection, per magnitude class.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo {

constexpr int kMagnitudeClasses = 5;
// Last year the standard tables cover; later records extend the yearly table.
constexpr int kFrequencyBaseEndYear = 2020;

// Class 0 ... 4 for magnitudes 4.0 ... 8.9 (magnitude x 10), -1 outside.
int magnitudeClass(int mag10);

// Colours of the classes, 0x00BBGGRR.
extern const std::array<uint32_t, kMagnitudeClasses> classColors;

// Value of one of the three scale steps for a largest count: the first
// s * p (s = 1, 1.5, 2, 2.5, 5; p = 1e-10, 1e-9, ...) with 1.5 s p < max <= 3 s p.
// A non-positive or non-finite maximum gives 1.
double frequencyStep(double maxValue);

// Scale label k * step: "%4.1f" when the step has a tenths digit, else "%4.0f".
std::string frequencyLabel(double value, double step, double epsilon);

struct FrequencyTables {
    int startYear = 1885;
    int years = 0;                 // table length, startYear ... startYear + years - 1
    int total = 0;                 // selected records dated on or after the start year
    int leftOut = 0;               // records dated after the last table year
    int badMonth = 0;              // records whose month is not 1 ... 12 (counted only yearly)
    std::vector<int32_t> yearly;   // years
    std::vector<int32_t> monthly;  // 12 * years
    std::vector<std::array<int32_t, kMagnitudeClasses>> classes;  // years

    int maxYearly() const;
    int maxMonthly() const;
    int lastYear() const { return startYear + years - 1; }
};

// Counts the selection from January of startYear. The table runs to the later of
// 2020 and the latest selected year, but never past maxEndYear; records after the
// last table year are counted in leftOut only (they still count in total).
FrequencyTables countFrequencies(const Catalogue& cat, const SelectionList& sel, int startYear,
                                 int maxEndYear);

// Last year the monthly graph can show: rows of 50 years start in January of 1926
// and 1976, and a third row would fall below the picture.
constexpr int kMonthlyLastYear = 2025;
// Last year the yearly graph can show with bars of a given width from x = 80 in a
// picture of the given width (20 pixels of grid line beyond the last bar).
int yearlyLastYear(int startYear, int barWidth, int pictureWidth);

}  // namespace kavelo
