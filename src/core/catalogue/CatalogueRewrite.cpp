#include "catalogue/CatalogueRewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kavelo {

int RewriteFileOps::openRead(const std::string& path) { return ::open(path.c_str(), O_RDONLY); }
int RewriteFileOps::createWrite(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
}
long RewriteFileOps::read(int fd, void* buf, std::size_t n) { return ::read(fd, buf, n); }
long RewriteFileOps::write(int fd, const void* buf, std::size_t n) { return ::write(fd, buf, n); }
bool RewriteFileOps::sync(int fd) { return ::fsync(fd) == 0; }
bool RewriteFileOps::close(int fd) { return ::close(fd) == 0; }
bool RewriteFileOps::replace(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
bool RewriteFileOps::remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string describeRewriteFailure(const RewriteResult& r) {
    std::string what;
    switch (r.failedAt) {
        case RewriteResult::Step::None: return {};
        case RewriteResult::Step::OpenSource: what = "GEPPO1.BIN を開けませんでした"; break;
        case RewriteResult::Step::ReadSource: what = "GEPPO1.BIN を読めませんでした"; break;
        case RewriteResult::Step::OpenTemp: what = "TEMP.BIN を作成できませんでした"; break;
        case RewriteResult::Step::WriteTemp: what = "TEMP.BIN に書き込めませんでした"; break;
        case RewriteResult::Step::SyncTemp:
        case RewriteResult::Step::CloseTemp: what = "TEMP.BIN をディスクに保存できませんでした"; break;
        case RewriteResult::Step::Replace: what = "GEPPO1.BIN を置き換えられませんでした"; break;
    }
    std::string msg = "地震月報ファイルの書き換えに失敗しました：" + what;
    if (r.errorNumber != 0) msg += std::string("（") + std::strerror(r.errorNumber) + "）";
    msg += "\nGEPPO1.BIN は変更されていません．";
    return msg;
}

namespace {
// Writes content to tempPath completely, makes it durable and renames it over target.
// On failure res records the step and errno, and tempPath is removed.
bool commitThroughTemp(RewriteFileOps& ops, const std::string& tempPath, const std::string& target,
                       const std::vector<unsigned char>& content, RewriteResult& res) {
    auto fail = [&](RewriteResult::Step step) {
        res.failedAt = step;
        res.errorNumber = errno;
        return false;
    };
    errno = 0;
    int out = ops.createWrite(tempPath);
    if (out < 0) return fail(RewriteResult::Step::OpenTemp);
    auto abandon = [&](RewriteResult::Step step, bool closeFd) {
        int e = errno;
        if (closeFd) ops.close(out);
        ops.remove(tempPath);
        errno = e;
        return fail(step);
    };
    std::size_t done = 0;
    while (done < content.size()) {
        std::size_t chunk = std::min<std::size_t>(content.size() - done, 1 << 16);
        errno = 0;
        long n = ops.write(out, content.data() + done, chunk);
        if (n <= 0) {
            if (n == 0 && errno == 0) errno = ENOSPC;
            return abandon(RewriteResult::Step::WriteTemp, true);
        }
        done += static_cast<std::size_t>(n);
    }
    errno = 0;
    if (!ops.sync(out)) return abandon(RewriteResult::Step::SyncTemp, true);
    errno = 0;
    if (!ops.close(out)) return abandon(RewriteResult::Step::CloseTemp, false);
    errno = 0;
    if (!ops.replace(tempPath, target)) return abandon(RewriteResult::Step::Replace, false);
    return true;
}
}  // namespace

CatalogueRewriter::CatalogueRewriter(std::string geppoPath, std::string tempPath,
                                     RewriteFileOps* ops)
    : geppoPath_(std::move(geppoPath)), tempPath_(std::move(tempPath)), ops_(ops ? ops : &defaultOps_) {}

RewriteResult CatalogueRewriter::append(const std::vector<EarthquakeRecord>& records) {
    return rewrite(-1, &records);
}

RewriteResult CatalogueRewriter::append(const Catalogue& cat, int32_t first, int32_t count) {
    std::vector<EarthquakeRecord> records;
    const int32_t begin = std::clamp<int32_t>(first, 0, cat.recordCount);
    const int32_t end = std::clamp<int32_t>(first + std::max<int32_t>(count, 0), begin, cat.recordCount);
    records.assign(cat.records.begin() + begin, cat.records.begin() + end);
    return append(records);
}

RewriteResult CatalogueRewriter::truncate() { return rewrite(kTruncateKeep, nullptr); }

RewriteResult CatalogueRewriter::rewrite(int32_t keepLimit,
                                         const std::vector<EarthquakeRecord>* extra) {
    RewriteResult res;
    auto fail = [&](RewriteResult::Step step) {
        res.failedAt = step;
        res.errorNumber = errno;
        return res;
    };

    // Read the whole records of the present file.
    errno = 0;
    int in = ops_->openRead(geppoPath_);
    if (in < 0) return fail(RewriteResult::Step::OpenSource);
    std::vector<unsigned char> content;
    {
        unsigned char buf[1 << 16];
        for (;;) {
            errno = 0;
            long n = ops_->read(in, buf, sizeof buf);
            if (n < 0) {
                int e = errno;
                ops_->close(in);
                errno = e;
                return fail(RewriteResult::Step::ReadSource);
            }
            if (n == 0) break;
            content.insert(content.end(), buf, buf + n);
        }
        ops_->close(in);
    }
    std::size_t records = content.size() / kRecordSize;
    if (keepLimit >= 0 && records > static_cast<std::size_t>(keepLimit)) records = keepLimit;
    content.resize(records * kRecordSize);
    if (extra) {
        for (const auto& r : *extra) {
            auto b = encodeRecord(r);
            content.insert(content.end(), b.begin(), b.end());
        }
        records += extra->size();
    }

    if (!commitThroughTemp(*ops_, tempPath_, geppoPath_, content, res)) return res;
    res.recordsWritten = static_cast<int32_t>(records);
    return res;
}

RewriteResult writeCatalogueFile(const std::string& path, const std::string& tempPath,
                                 const std::vector<EarthquakeRecord>& records, RewriteFileOps* ops) {
    RewriteFileOps defaultOps;
    std::vector<unsigned char> content(records.size() * kRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i) encodeRecord(records[i], content.data() + i * kRecordSize);
    RewriteResult res;
    if (!commitThroughTemp(ops ? *ops : defaultOps, tempPath, path, content, res)) return res;
    res.recordsWritten = static_cast<int32_t>(records.size());
    return res;
}

}  // namespace kavelo
