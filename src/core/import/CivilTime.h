#pragma once
// Calendar arithmetic on proleptic Gregorian dates, and ISO-8601 times as catalogues write them.

#include <cstdint>
#include <string>
#include <string_view>

#include "import/EventReader.h"

namespace kavelo::import {

bool isValidDate(int year, int month, int day);
int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(int64_t days, int& year, int& month, int& day);

// Whole minutes of the time (seconds of 60 and more carried) moved by offsetMinutes;
// the seconds of the result are the leftover below one minute.
CivilTime shiftedByMinutes(const CivilTime& t, int64_t offsetMinutes);

// "YYYY-MM-DDTHH:MM[:SS[.fff]][Z|+hh:mm|-hh:mm|+hhmm]" (a blank may stand for the T).
// The result is UTC; a time without a zone is taken as UTC. Returns an empty string on
// success, otherwise why the text is not such a time.
std::string parseIsoTime(std::string_view text, CivilTime& utc);

}  // namespace kavelo::import
