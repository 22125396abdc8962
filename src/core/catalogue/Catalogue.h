#pragma once
// The in-memory Catalogue and SelectionList, allocated once for the whole run.

#include <cstdint>
#include <vector>

#include "catalogue/EarthquakeRecord.h"

namespace kavelo {

constexpr int kCatalogueCapacity = 65000;

struct Catalogue {
    std::vector<EarthquakeRecord> records;  // kCatalogueCapacity slots
    int32_t recordCount = 0;

    Catalogue() : records(kCatalogueCapacity) {}
    const EarthquakeRecord& operator[](int i) const { return records[static_cast<std::size_t>(i)]; }
    EarthquakeRecord& operator[](int i) { return records[static_cast<std::size_t>(i)]; }
};

struct SelectionList {
    std::vector<int32_t> index;  // kCatalogueCapacity slots
    int32_t selectionCount = 0;

    SelectionList() : index(kCatalogueCapacity) {}
    int32_t operator[](int r) const { return index[static_cast<std::size_t>(r)]; }
    int32_t& operator[](int r) { return index[static_cast<std::size_t>(r)]; }
    // Every record: 0 ... n-1.
    void setIdentity(int n) {
        for (int i = 0; i < n; ++i) index[static_cast<std::size_t>(i)] = i;
        selectionCount = n;
    }
};

}  // namespace kavelo
