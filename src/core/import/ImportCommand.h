#pragma once
// The kavelo-import command: reads downloaded catalogues and writes a catalogue file of
// 48-byte records, replacing it or merging into it through the crash-safe rewrite.

#include <iosfwd>
#include <string>
#include <vector>

#include "catalogue/CatalogueRewrite.h"
#include "import/FdsnFetch.h"

namespace kavelo::import {

std::string importUsage();

// How --fdsn reaches the service: the transport (nullptr: libcurl), the time-out, tries,
// back-off, cancel flag and progress of the fetch, and the day it is (0: the clock).
struct FetchHooks {
    HttpTransport* transport = nullptr;
    FetchSettings settings;
    int64_t todayUtc = 0;
};

// args without the program name. Messages go to out (summary) and err (problems).
// Returns 0 when a catalogue was written, 1 when nothing was, 2 on a usage error.
// ops replaces the file operations of the final write (tests inject failures).
int runImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     RewriteFileOps* ops = nullptr, const FetchHooks* fetch = nullptr);

}  // namespace kavelo::import
