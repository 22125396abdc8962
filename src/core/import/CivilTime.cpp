#include "import/CivilTime.h"

#include <cmath>

#include "import/TextFields.h"

namespace kavelo::import {

namespace {
bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
int daysIn(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}
// Digits at text[pos ... pos+n-1] as a number, or -1.
int digitsAt(std::string_view text, std::size_t pos, std::size_t n) {
    if (pos + n > text.size()) return -1;
    int v = 0;
    for (std::size_t i = pos; i < pos + n; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}
}  // namespace

bool isValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysIn(year, month);
}

// Days since 1970-01-01 (the civil-from-days algorithm over 400-year eras).
int64_t daysFromCivil(int year, int month, int day) {
    int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

CivilTime shiftedByMinutes(const CivilTime& t, int64_t offsetMinutes) {
    const double carried = std::floor(t.second / 60.0);
    int64_t minutes = daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute +
                      static_cast<int64_t>(carried) + offsetMinutes;
    CivilTime r;
    r.second = t.second - carried * 60.0;
    int64_t days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
    int64_t inDay = minutes - days * 1440;
    civilFromDays(days, r.year, r.month, r.day);
    r.hour = static_cast<int>(inDay / 60);
    r.minute = static_cast<int>(inDay % 60);
    return r;
}

std::string parseIsoTime(std::string_view text, CivilTime& utc) {
    text = trim(text);
    CivilTime t;
    t.year = digitsAt(text, 0, 4);
    t.month = digitsAt(text, 5, 2);
    t.day = digitsAt(text, 8, 2);
    if (t.year < 0 || t.month < 0 || t.day < 0 || text[4] != '-' || text[7] != '-')
        return "time '" + std::string(text.substr(0, 40)) + "' is not YYYY-MM-DDThh:mm:ss";
    if (!isValidDate(t.year, t.month, t.day))
        return "no such date '" + std::string(text.substr(0, 10)) + "'";
    if (text.size() < 16 || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') ||
        text[13] != ':')
        return "time '" + std::string(text.substr(0, 40)) + "' has no hour and minute";
    t.hour = digitsAt(text, 11, 2);
    t.minute = digitsAt(text, 14, 2);
    if (t.hour < 0 || t.minute < 0 || t.hour > 23 || t.minute > 59)
        return "bad hour or minute in '" + std::string(text.substr(0, 40)) + "'";
    std::size_t pos = 16;
    if (pos < text.size() && text[pos] == ':') {
        std::size_t end = pos + 1;
        while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.'))
            ++end;
        auto sec = parseDecimal(text.substr(pos + 1, end - pos - 1));
        if (!sec || *sec < 0 || *sec >= 61)
            return "bad seconds in '" + std::string(text.substr(0, 40)) + "'";
        t.second = *sec;
        pos = end;
    }
    int offset = 0;
    if (pos < text.size()) {
        const char z = text[pos];
        if ((z == 'Z' || z == 'z') && pos + 1 == text.size()) {
            offset = 0;
        } else if (z == '+' || z == '-') {
            int hh = digitsAt(text, pos + 1, 2), mm = -1;
            if (pos + 6 == text.size() && text[pos + 3] == ':')
                mm = digitsAt(text, pos + 4, 2);
            else if (pos + 5 == text.size())
                mm = digitsAt(text, pos + 3, 2);
            else if (pos + 3 == text.size())
                mm = 0;
            if (hh < 0 || mm < 0 || hh > 23 || mm > 59)
                return "bad time zone in '" + std::string(text.substr(0, 40)) + "'";
            offset = (hh * 60 + mm) * (z == '-' ? -1 : 1);
        } else {
            return "unexpected text after the time in '" + std::string(text.substr(0, 40)) + "'";
        }
    }
    utc = offset == 0 ? t : shiftedByMinutes(t, -offset);
    return {};
}

}  // namespace kavelo::import
