#pragma once
// The kavelo-analyse command: reads catalogue files of 48-byte records, keeps the events
// that pass the common filters and runs one analysis command on them.
//
// Adding a command: write a function `int run(CommandArgs&, std::ostream& out,
// std::ostream& err)` that first reads its options (CommandArgs throws UsageError for a bad
// value), then calls events() (which reads the files and throws InputError), prints its
// result on `out` and returns 0; then add a row to the table in analyseCommands() with
// the command's name, its synopsis line and its options.

#include <concepts>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/Seismicity.h"
#include "catalogue/EarthquakeRecord.h"

namespace kavelo::analysis {

// A bad command line: exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Input that cannot be analysed (a file, no events): exit status 1.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An option a command takes and how many values follow it (0 for a flag).
struct OptionInfo {
    std::string name;
    int values = 1;
};

// The filters shared by every command; empty bounds do not filter.
struct EventFilter {
    int32_t fromDate = 0, toDate = 0;      // YYYYMMDD, inclusive
    std::optional<double> latMin, latMax;  // degrees
    std::optional<double> lonMin, lonMax;
    std::optional<int> magMin10, magMax10;  // tenths
    std::optional<int> depthMin, depthMax;  // km
    bool passes(const EarthquakeRecord& r) const;
};

class CommandArgs {
public:
    CommandArgs(std::map<std::string, std::vector<std::string>> options,
                std::vector<std::string> files, EventFilter filter)
        : options_(std::move(options)), files_(std::move(files)), filter_(filter) {}

    bool has(const std::string& option) const { return options_.count(option) > 0; }
    // The values of the option's last occurrence (empty when absent).
    std::vector<std::string> values(const std::string& option) const;
    std::string text(const std::string& option, const std::string& fallback) const;
    double number(const std::string& option, double fallback, double min, double max) const;
    int64_t integer(const std::string& option, int64_t fallback, int64_t min, int64_t max) const;
    // A magnitude-like value in tenths (0.2 -> 2).
    int tenths(const std::string& option, int fallback, int min10, int max10) const;
    // --mc VALUE|maxc|gft90|gft95|mbs and --correction C.
    McChoice mcChoice() const;
    // --estimator classic|utsu.
    Estimator estimator() const;

    const std::vector<std::string>& files() const { return files_; }
    const EventFilter& filter() const { return filter_; }
    // The events of every file that pass the filters, in time order (date, time, then file
    // order; files in the order given). Read on the first call; throws InputError.
    const std::vector<EarthquakeRecord>& events();
    std::vector<int> magnitudes();  // tenths, time order
    std::vector<double> times();    // decimal years, time order

private:
    std::map<std::string, std::vector<std::string>> options_;
    std::vector<std::string> files_;
    EventFilter filter_;
    std::optional<std::vector<EarthquakeRecord>> events_;
};

using CommandFunction = int (*)(CommandArgs& args, std::ostream& out, std::ostream& err);

struct CommandEntry {
    const char* name;
    const char* synopsis;  // the command's usage line(s), without the program name
    std::vector<OptionInfo> options;
    CommandFunction run;
};

// Every command, in the order the usage lists them.
const std::vector<CommandEntry>& analyseCommands();

// One JSON object on one line: numbers, null for an empty value, strings and flags.
class JsonObject {
public:
    JsonObject& add(const std::string& key, std::optional<double> v, int digits = 15);
    JsonObject& add(const std::string& key, int64_t v);
    // A plain double would otherwise convert to int64_t and lose its fraction.
    template <std::floating_point T>
    JsonObject& add(const std::string& key, T v, int digits = 15) {
        return add(key, std::optional<double>(static_cast<double>(v)), digits);
    }
    JsonObject& add(const std::string& key, const std::string& v);
    JsonObject& add(const std::string& key, const char* v) { return add(key, std::string(v)); }
    JsonObject& addBool(const std::string& key, bool v);
    JsonObject& addNull(const std::string& key);
    // A magnitude in tenths as "2.3"; null when empty.
    JsonObject& addTenths(const std::string& key, std::optional<int> v10);
    std::string str() const { return "{" + body_ + "}"; }

private:
    void key(const std::string& k);
    std::string body_;
};

// "2.3" from tenths (exact, no rounding).
std::string tenthsText(int v10);

std::string analyseUsage();

// args without the program name. Results go to out, messages to err.
// Returns 0 on success, 1 for input that cannot be analysed, 2 for a usage error.
int runAnalyseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kavelo::analysis
