#include <gtest/gtest.h>

#include <cerrno>

#include "common/TempDir.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueRewrite.h"

using namespace kavelo;

namespace {
EarthquakeRecord make(int32_t date) {
    EarthquakeRecord r;
    r.date = date;
    r.mag = 45;
    r.setOrigin("X");
    return r;
}
std::string bytesOf(int n, int32_t firstDate = 19000101) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        auto b = encodeRecord(make(firstDate + i));
        s.append(b.begin(), b.end());
    }
    return s;
}

// Fails the chosen operation at its k-th call (0-based); writes can also run out of space.
class FaultyOps : public RewriteFileOps {
public:
    enum Op { OpenRead, CreateWrite, Write, Sync, Close, Replace, ShortWrite, None };
    FaultyOps(Op op, int at) : op_(op), at_(at) {}
    int openRead(const std::string& p) override {
        return hit(OpenRead) ? (errno = EACCES, -1) : RewriteFileOps::openRead(p);
    }
    int createWrite(const std::string& p) override {
        return hit(CreateWrite) ? (errno = EACCES, -1) : RewriteFileOps::createWrite(p);
    }
    long write(int fd, const void* b, std::size_t n) override {
        if (hit(Write)) return errno = EIO, -1;
        if (op_ == ShortWrite && writes_++ >= at_) {
            // Disk full: a part of the chunk goes in, then nothing more.
            if (full_) return errno = ENOSPC, -1;
            full_ = true;
            return RewriteFileOps::write(fd, b, n / 3);
        }
        return RewriteFileOps::write(fd, b, n);
    }
    bool sync(int fd) override { return hit(Sync) ? (errno = EIO, false) : RewriteFileOps::sync(fd); }
    bool close(int fd) override {
        bool ok = RewriteFileOps::close(fd);
        return hit(Close) ? (errno = EIO, false) : ok;
    }
    bool replace(const std::string& a, const std::string& b) override {
        return hit(Replace) ? (errno = EXDEV, false) : RewriteFileOps::replace(a, b);
    }

private:
    bool hit(Op op) {
        if (op != op_) return false;
        return calls_++ == at_;
    }
    Op op_;
    int at_;
    int calls_ = 0;
    int writes_ = 0;
    bool full_ = false;
};
}  // namespace

TEST(CatalogueRewrite, AppendAddsRecordsAfterTheOldOnesAndReloadsAsGeppo) {
    test::TempDir d;
    d.write("DATA/GEPPO1.BIN", bytesOf(3));
    d.write("DATA/RIKA.BIN", "");
    CatalogueRewriter rw(d.file("DATA/GEPPO1.BIN"), d.file("DATA/TEMP.BIN"));
    Catalogue mem;
    for (int32_t d : {20200101, 20210101, 20210102}) mem[mem.recordCount++] = make(d);
    auto r = rw.append(mem, 1, 5);  // a count past the end is cut to the records present
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.recordsWritten, 5);
    EXPECT_FALSE(std::filesystem::exists(d.file("DATA/TEMP.BIN")));
    Catalogue cat;
    loadCatalogue(d.file("DATA/RIKA.BIN"), d.file("DATA/GEPPO1.BIN"), cat);
    ASSERT_EQ(cat.recordCount, 5);
    EXPECT_EQ(cat[4].date, 20210102);
    EXPECT_EQ(cat[4].rika, 0);
}

TEST(CatalogueRewrite, AppendingNothingAndTruncatingASmallFileKeepContent) {
    test::TempDir d;
    const std::string before = bytesOf(10);
    d.write("GEPPO1.BIN", before);
    CatalogueRewriter rw(d.file("GEPPO1.BIN"), d.file("TEMP.BIN"));
    ASSERT_TRUE(rw.append({}).ok());
    EXPECT_EQ(d.read("GEPPO1.BIN"), before);
    ASSERT_TRUE(rw.truncate().ok());
    EXPECT_EQ(d.read("GEPPO1.BIN"), before);
}

TEST(CatalogueRewrite, TruncateKeepsTheFirst29968Records) {
    test::TempDir d;
    const std::string all = bytesOf(kTruncateKeep + 50);
    d.write("GEPPO1.BIN", all);
    CatalogueRewriter rw(d.file("GEPPO1.BIN"), d.file("TEMP.BIN"));
    ASSERT_TRUE(rw.truncate().ok());
    EXPECT_EQ(d.read("GEPPO1.BIN"), all.substr(0, kTruncateKeep * kRecordSize));
}

TEST(CatalogueRewrite, EveryInjectedFailureLeavesTheCatalogueFileIntact) {
    struct Case {
        FaultyOps::Op op;
        int at;
        RewriteResult::Step step;
    };
    // The content is about 145 KiB, so there are three write calls.
    const Case cases[] = {
        {FaultyOps::OpenRead, 0, RewriteResult::Step::OpenSource},
        {FaultyOps::CreateWrite, 0, RewriteResult::Step::OpenTemp},
        {FaultyOps::Write, 0, RewriteResult::Step::WriteTemp},
        {FaultyOps::Write, 1, RewriteResult::Step::WriteTemp},
        {FaultyOps::Write, 2, RewriteResult::Step::WriteTemp},
        {FaultyOps::Sync, 0, RewriteResult::Step::SyncTemp},
        {FaultyOps::Close, 1, RewriteResult::Step::CloseTemp},  // call 0 closes the source
        {FaultyOps::Replace, 0, RewriteResult::Step::Replace},
        {FaultyOps::ShortWrite, 0, RewriteResult::Step::WriteTemp},
        {FaultyOps::ShortWrite, 2, RewriteResult::Step::WriteTemp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "op " << c.op << " at " << c.at);
        test::TempDir d;
        const std::string before = bytesOf(3000);
        d.write("GEPPO1.BIN", before);
        FaultyOps ops(c.op, c.at);
        CatalogueRewriter rw(d.file("GEPPO1.BIN"), d.file("TEMP.BIN"), &ops);
        auto r = rw.append({make(20210101)});
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.failedAt, c.step);
        EXPECT_NE(r.errorNumber, 0);
        EXPECT_FALSE(describeRewriteFailure(r).empty());
        EXPECT_EQ(d.read("GEPPO1.BIN"), before);
        EXPECT_FALSE(std::filesystem::exists(d.file("TEMP.BIN")));
    }
}
