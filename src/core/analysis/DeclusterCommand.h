#pragma once
// The omori and decluster commands of kavelo-analyse.

#include <iosfwd>
#include <string>
#include <vector>

#include "analysis/AnalyseCommand.h"
#include "analysis/Declustering.h"
#include "analysis/OmoriUtsu.h"
#include "catalogue/CatalogueRewrite.h"

namespace kavelo::analysis {

// omori [--main "YYYY-MM-DD HH:MM"] [--start S] [--end T] [--min-mag M]
int runOmori(CommandArgs& args, std::ostream& out, std::ostream& err);
// decluster --method gk|gruenthal|uhrhammer|reasenberg [--fs F] [--cap DAYS]
//           [-o MAIN.BIN] [--roles ROLES.csv]
int runDecluster(CommandArgs& args, std::ostream& out, std::ostream& err);

// "YYYY-MM-DD HH:MM" (or YYYY/MM/DD) to YYYYMMDD and HHMM; false when it is not such a time.
bool parseMainShockTime(const std::string& text, int32_t& date, int& hhmm);

// The per-event roles as CSV lines (header first, "\r\n" line ends):
// date,time,lat,lon,depth,mag,cluster,role.
std::string rolesCsv(const std::vector<EarthquakeRecord>& events, const DeclusterResult& r);

// Writes bytes to path through path + ".tmp": written, flushed to disk, renamed.
// Returns an empty string or why it failed.
std::string writeFileReplacing(const std::string& path, const std::string& bytes,
                               RewriteFileOps* ops = nullptr);

}  // namespace kavelo::analysis
