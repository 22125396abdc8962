// kavelo-analyse on arbitrary catalogue bytes and command lines: every run ends with status
// 0, 1 or 2; a success prints its result and nothing else is printed on a failure, whose
// message names the program; every b that is printed is a positive number. The omori and
// decluster commands run on the same inputs.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "analysis/AnalyseCommand.h"
#include "analysis/Seismicity.h"

using namespace kavelo;
using namespace kavelo::analysis;
using namespace kavelo::fuzz;

namespace {

const char* const kCommands[] = {"bvalue", "mc", "fmd", "btime", "omori", "decluster", "nosuch"};
const char* const kOptions[] = {"--mc",     "--correction", "--estimator", "--dmc",  "--window",
                                "--step",   "--bootstrap",  "--seed",      "--from", "--to",
                                "--lat",    "--lon",        "--mag",       "--depth", "--bogus",
                                "--main",   "--start",      "--end",       "--min-mag", "--method",
                                "--fs",     "--cap",        "--",          "-h"};
const char* const kValues[] = {"maxc", "gft90", "gft95", "mbs", "2.0", "0", "-1", "0.2",
                               "utsu", "classic", "50", "3", "1e308", "nan", "2001-01-01",
                               "2020-12-31", "35", "140", "x", "",
                               "gk", "gruenthal", "uhrhammer", "reasenberg", "2001-01-01 00:00"};

// The value of a key in a one-line JSON object, or "".
std::string field(const std::string& json, const std::string& key) {
    const std::string k = "\"" + key + "\":";
    const auto at = json.find(k);
    if (at == std::string::npos) return "";
    const auto start = at + k.size();
    return json.substr(start, json.find_first_of(",}", start) - start);
}

void checkB(const std::string& text) {
    if (text.empty() || text == "null") return;
    const double b = std::stod(text);
    FUZZ_CHECK(std::isfinite(b) && b > 0.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<std::string> args = {in.PickValueInArray(kCommands)};
    const int words = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < words; ++i) {
        switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0: args.push_back(in.PickValueInArray(kOptions)); break;
        case 1: args.push_back(in.PickValueInArray(kValues)); break;
        default: args.push_back(in.ConsumeRandomLengthString(12)); break;
        }
    }
    // Bootstrap runs stay short.
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--bootstrap" || args[i] == "--window") args[i + 1] = "3";
    const int files = in.ConsumeIntegralInRange(0, 2);
    clearScratch();
    for (int f = 0; f < files; ++f) {
        const std::string path = scratchFile(f == 0 ? "GEPPO1.BIN" : "RIKA.BIN");
        writeFile(path, f + 1 == files ? in.ConsumeRemainingBytesAsString()
                                       : in.ConsumeRandomLengthString(48 * 64));
        args.push_back(path);
    }
    std::ostringstream out, err;
    const int status = runAnalyseCommand(args, out, err);
    FUZZ_CHECK(status >= 0 && status <= 2);
    const std::string o = out.str(), e = err.str();
    if (status != 0) {
        FUZZ_CHECK(o.empty());
        FUZZ_CHECK(e.rfind("kavelo-analyse: ", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!o.empty() && o.back() == '\n');
    if (o.front() == '{') {
        FUZZ_CHECK(o.find('\n') == o.size() - 1);
        checkB(field(o, "b"));
        checkB(field(o, "b_positive"));
    }
    return 0;
}
