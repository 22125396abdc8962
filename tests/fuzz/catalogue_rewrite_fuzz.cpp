// Rewriting GEPPO1.BIN (append, truncate, or replace it by given records as the importer
// does) with a failure injected at any file step: a rewrite that succeeds leaves exactly
// the old whole records plus the new ones (or the first 29968, or the given ones), one
// that fails leaves GEPPO1.BIN byte-identical; TEMP.BIN never stays.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "catalogue/CatalogueRewrite.h"

using namespace kavelo;
using namespace kavelo::fuzz;

namespace {

// Real file operations with one chosen failure; sync skips the disk flush (speed only).
class FaultyOps : public RewriteFileOps {
public:
    enum Fault : uint8_t { None, OpenRead, Read, CreateWrite, Write, DiskFull, Sync, Close, Replace, Count };
    Fault fault = None;
    unsigned failOnCall = 0;  // which read/write call fails
    unsigned shortWrites = 0; // writes that only take part of their bytes (not a failure)

    int openRead(const std::string& p) override {
        if (fault == OpenRead) return failWith(ENOENT);
        return RewriteFileOps::openRead(p);
    }
    int createWrite(const std::string& p) override {
        if (fault == CreateWrite) return failWith(EACCES);
        out_ = RewriteFileOps::createWrite(p);
        return out_;
    }
    long read(int fd, void* buf, std::size_t n) override {
        if (fault == Read && reads_++ == failOnCall) return failWith(EIO);
        return RewriteFileOps::read(fd, buf, n);
    }
    long write(int fd, const void* buf, std::size_t n) override {
        if (writes_++ == failOnCall) {
            if (fault == Write) return failWith(EIO);
            if (fault == DiskFull) return 0;
        }
        if (shortWrites > 0 && n > 1) {
            --shortWrites;
            n = n / 2;
        }
        return RewriteFileOps::write(fd, buf, n);
    }
    bool sync(int) override { return fault == Sync ? failWith(EIO) == 0 : true; }
    bool close(int fd) override {
        const bool real = RewriteFileOps::close(fd);
        if (fault == Close && fd == out_) return failWith(EIO) == 0;
        return real;
    }
    bool replace(const std::string& from, const std::string& to) override {
        if (fault == Replace) return failWith(EXDEV) == 0;
        return RewriteFileOps::replace(from, to);
    }

private:
    static int failWith(int e) {
        errno = e;
        return -1;
    }
    int out_ = -1;
    unsigned reads_ = 0;
    unsigned writes_ = 0;
};

bool exists(const std::string& p) {
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    enum Op { Append, Truncate, Replace };
    const Op op = static_cast<Op>(in.ConsumeIntegralInRange(0, 2));
    const bool truncate = op == Truncate;
    FaultyOps ops;
    ops.fault = static_cast<FaultyOps::Fault>(in.ConsumeIntegralInRange<uint8_t>(0, FaultyOps::Count - 1));
    ops.failOnCall = in.ConsumeIntegralInRange<unsigned>(0, 40);
    ops.shortWrites = in.ConsumeIntegralInRange<unsigned>(0, 3);
    // Large enough now and then to cross the 29968 records that a truncation keeps.
    const unsigned times = in.ConsumeBool() ? in.ConsumeIntegralInRange<unsigned>(1, 40000) : 1;
    const std::string piece = in.ConsumeRandomLengthString(2048);
    const std::string extraBytes = in.ConsumeRemainingBytesAsString();

    std::string original;
    if (!piece.empty()) {
        const std::size_t maxBytes = 1600 * 1024;
        for (unsigned k = 0; k < times && original.size() + piece.size() <= maxBytes; ++k) original += piece;
    }
    std::vector<EarthquakeRecord> extra;
    for (std::size_t off = 0; off + kRecordSize <= extraBytes.size(); off += kRecordSize)
        extra.push_back(decodeRecord(reinterpret_cast<const unsigned char*>(extraBytes.data() + off)));

    clearScratch();
    const std::string geppo = scratchFile("GEPPO1.BIN");
    const std::string temp = scratchFile("TEMP.BIN");
    writeFile(geppo, original);
    const bool stale = size & 1;  // a TEMP.BIN left over from an earlier crash
    if (stale) writeFile(temp, "stale scratch file");

    CatalogueRewriter rw(geppo, temp, &ops);
    const RewriteResult res = op == Truncate  ? rw.truncate()
                              : op == Append ? rw.append(extra)
                                             : writeCatalogueFile(geppo, temp, extra, &ops);

    // A stale TEMP.BIN stays when the rewrite stops before it could replace it.
    const bool failedBeforeTemp = res.failedAt == RewriteResult::Step::OpenSource ||
                                  res.failedAt == RewriteResult::Step::ReadSource ||
                                  res.failedAt == RewriteResult::Step::OpenTemp;
    if (failedBeforeTemp && stale)
        FUZZ_CHECK(readFile(temp) == "stale scratch file");
    else
        FUZZ_CHECK(!exists(temp));
    const std::string after = readFile(geppo);
    // These faults hit a step that every rewrite takes (replacing reads nothing).
    const bool mustFail = (ops.fault == FaultyOps::OpenRead && op != Replace) || ops.fault == FaultyOps::CreateWrite ||
                          ops.fault == FaultyOps::Sync || ops.fault == FaultyOps::Close ||
                          ops.fault == FaultyOps::Replace;
    FUZZ_CHECK(!mustFail || !res.ok());
    FUZZ_CHECK(ops.fault != FaultyOps::None || res.ok());
    if (!res.ok()) {
        FUZZ_CHECK(after == original);
        FUZZ_CHECK(!describeRewriteFailure(res).empty());
        return 0;
    }
    std::size_t keep = op == Replace ? 0 : original.size() / kRecordSize;
    if (truncate) keep = std::min<std::size_t>(keep, kTruncateKeep);
    std::string want = original.substr(0, keep * kRecordSize);
    if (op != Truncate)
        for (const EarthquakeRecord& r : extra) {
            const auto b = encodeRecord(r);
            want.append(reinterpret_cast<const char*>(b.data()), b.size());
        }
    FUZZ_CHECK(after == want);
    FUZZ_CHECK(res.recordsWritten == static_cast<int32_t>(want.size() / kRecordSize));
    return 0;
}
