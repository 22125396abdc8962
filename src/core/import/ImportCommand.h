#pragma once
// The kavelo-import command: reads downloaded catalogues and writes a catalogue file of
// 48-byte records, replacing it or merging into it through the crash-safe rewrite.

#include <iosfwd>
#include <string>
#include <vector>

#include "catalogue/CatalogueRewrite.h"

namespace kavelo::import {

std::string importUsage();

// args without the program name. Messages go to out (summary) and err (problems).
// Returns 0 when a catalogue was written, 1 when nothing was, 2 on a usage error.
// ops replaces the file operations of the final write (tests inject failures).
int runImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     RewriteFileOps* ops = nullptr);

}  // namespace kavelo::import
