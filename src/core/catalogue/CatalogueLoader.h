#pragma once
// Loading RIKA.BIN (events before 1885) and GEPPO1.BIN into the Catalogue.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo {

// Records of RIKA.BIN later than this date are never loaded.
constexpr int32_t kRikaLastDate = 18850000;

struct CatalogueLoadResult {
    enum class Status { Ok, RikaMissing, GeppoMissing };
    Status status = Status::Ok;
    int32_t rikaCount = 0;   // records taken from RIKA.BIN
    int32_t geppoCount = 0;  // records taken from GEPPO1.BIN
    int32_t leftOut = 0;     // records that did not fit into the Catalogue
    int32_t total() const { return rikaCount + geppoCount; }
};

// Appends the whole records of one catalogue file image to the Catalogue.
// rika = true applies the pre-1885 rule and marks the records; a trailing
// partial record is ignored. Returns the number taken; *leftOut grows by the
// number of eligible records that found no room.
int32_t appendCatalogueBytes(std::string_view bytes, bool rika, Catalogue& cat, int32_t* leftOut);

// Reads a whole regular file. False when it cannot be opened or read, is not a
// regular file (a folder, a device), or holds more than maxBytes bytes; out is then empty.
bool readWholeFile(const std::string& path, std::string& out,
                   std::size_t maxBytes = static_cast<std::size_t>(-1));

// Appends the whole records of a catalogue file, read piece by piece so that a file of
// any size needs little memory; same rules as appendCatalogueBytes. False when the file
// cannot be opened or read or is not a regular file.
bool appendCatalogueFile(const std::string& path, bool rika, Catalogue& cat, int32_t* taken,
                         int32_t* leftOut);

CatalogueLoadResult loadCatalogue(const std::string& rikaPath, const std::string& geppoPath,
                                  Catalogue& cat);

// Joins the working directory and a relative path with the platform separator.
std::string joinPath(const std::string& dir, const std::string& rel);

// The last component of a path.
std::string fileNamePart(const std::string& path);

}  // namespace kavelo
