#pragma once
// Readers of downloaded hypocentre catalogues. Each turns a whole file image into source
// events (time, position, depth and magnitude as the source states them) and reports the
// lines it could not use; converting events into catalogue records is shared
// (ImportConversion.h). A new format is one new reader added to eventReaders().

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavelo::import {

struct CivilTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0;  // may reach 60 and more (a leap second); carried on conversion
};

struct SourceEvent {
    CivilTime time;
    bool utc = true;                // time is UTC; false when the source gives Japan time
    double latDeg = 0, lonDeg = 0;  // decimal degrees, north and east positive
    int latDdmm = 0, lonDdmm = 0;   // ddmm / dddmm with whole minutes
    std::optional<double> depthKm;
    std::optional<double> mag;
    std::string origin;    // region name from the source (Shift-JIS), empty if none
    std::string eventType;  // the source's event type ("earthquake", "quarry blast"), or empty
    std::size_t line = 0;  // 1-based line where the event starts

    // Sets both position forms from decimal degrees (minutes truncated toward zero).
    void setPosition(double lat, double lon);
};

struct LineProblem {
    std::size_t line = 0;
    std::string reason;
};

struct ReadOptions {
    bool stopAtFirstProblem = false;
    // Called now and then with the bytes handled so far and the total.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

struct ReadResult {
    std::vector<SourceEvent> events;
    std::vector<LineProblem> problems;           // lines that do not parse (the first 1000)
    std::size_t problemCount = 0;                // all of them
    std::map<std::string, std::size_t> ignored;  // lines passed over on purpose, by reason
    std::string error;                           // the input as a whole cannot be read
    bool stopped = false;                        // ended at the first problem
    std::size_t linesRead = 0;

    // Records a problem; true when reading should stop.
    bool problem(std::size_t line, std::string reason, const ReadOptions& o);
};

class EventReader {
  public:
    virtual ~EventReader() = default;
    virtual const char* name() const = 0;  // the --format value
    // 0 when the head of a file is not in this format; higher is a surer match.
    virtual int recognise(std::string_view head) const = 0;
    virtual ReadResult read(std::string_view bytes, const ReadOptions& options) const = 0;
};

// Every reader, in the order --format lists them.
const std::vector<const EventReader*>& eventReaders();
const EventReader* readerByName(std::string_view name);
// The reader that recognises the head of a file best; nullptr when none does.
const EventReader* detectReader(std::string_view head);

// Decimal degrees to ddmm / dddmm, minutes truncated toward zero; a value a hair below a
// whole minute through binary rounding (35.1166666...) still counts as that minute.
int degreesToDdmmExact(double deg);

}  // namespace kavelo::import
