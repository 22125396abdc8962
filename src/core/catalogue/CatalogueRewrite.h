#pragma once
// Rewriting GEPPO1.BIN through TEMP.BIN: append records, or keep only the first 29968.
// The new content is written completely to TEMP.BIN, flushed to disk and then
// renamed over GEPPO1.BIN, so a failure at any step leaves GEPPO1.BIN as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/EarthquakeRecord.h"

namespace kavelo {

constexpr int32_t kTruncateKeep = 29968;

// The file operations of a rewrite; tests replace them to inject failures.
class RewriteFileOps {
public:
    virtual ~RewriteFileOps() = default;
    virtual int openRead(const std::string& path);               // fd or -1
    virtual int createWrite(const std::string& path);            // fd or -1 (truncates)
    virtual long read(int fd, void* buf, std::size_t n);         // bytes, 0 at end, -1 error
    virtual long write(int fd, const void* buf, std::size_t n);  // bytes written or -1
    virtual bool sync(int fd);
    virtual bool close(int fd);
    virtual bool replace(const std::string& from, const std::string& to);  // atomic rename
    virtual bool remove(const std::string& path);
};

struct RewriteResult {
    enum class Step { None, OpenSource, ReadSource, OpenTemp, WriteTemp, SyncTemp, CloseTemp, Replace };
    Step failedAt = Step::None;
    int errorNumber = 0;       // errno of the failure, when there is one
    int32_t recordsWritten = 0;
    bool ok() const { return failedAt == Step::None; }
};

// Human-readable Japanese description (UTF-8) of a failed step, for the message box.
std::string describeRewriteFailure(const RewriteResult& r);

class CatalogueRewriter {
public:
    CatalogueRewriter(std::string geppoPath, std::string tempPath, RewriteFileOps* ops = nullptr);

    // Writes the records after the present content of GEPPO1.BIN.
    RewriteResult append(const std::vector<EarthquakeRecord>& records);
    // Writes Catalogue[first ... first + count - 1] after the present content.
    RewriteResult append(const Catalogue& cat, int32_t first, int32_t count);
    // Keeps records 0 ... 29967 and drops the rest.
    RewriteResult truncate();

private:
    RewriteResult rewrite(int32_t keepLimit, const std::vector<EarthquakeRecord>* extra);

    std::string geppoPath_;
    std::string tempPath_;
    RewriteFileOps defaultOps_;
    RewriteFileOps* ops_;
};

// Replaces the file at path by exactly these records (a new file when there is none):
// they are written to tempPath in the same folder, flushed to disk and renamed over
// path, so a failure at any step leaves the old file as it was and removes tempPath.
RewriteResult writeCatalogueFile(const std::string& path, const std::string& tempPath,
                                 const std::vector<EarthquakeRecord>& records,
                                 RewriteFileOps* ops = nullptr);

}  // namespace kavelo
