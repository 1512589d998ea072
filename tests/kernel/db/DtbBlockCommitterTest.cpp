// Tests of the pool's block commits: what Commit promised is writable, also with the helper
// thread committing ahead and several threads asking at once.
#include "kernel/db/DtbBlockCommitter.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>
#include <thread>
#include <vector>

#include "platform/LargeBlocks.h"

namespace {

constexpr std::size_t kBlock = std::size_t{2} << 20;
constexpr std::size_t kBlocks = 24;

class DtbBlockCommitterTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_ = static_cast<char*>(platform::ReserveAddressSpace(kBlocks * kBlock));
        ASSERT_NE(start_, nullptr);
    }
    void TearDown() override {
        if (start_) munmap(start_, kBlocks * kBlock);
    }
    char* start_ = nullptr;
};

}  // namespace

TEST_F(DtbBlockCommitterTest, CommittedBlocksAreZeroedAndWritableUpToTheEndOfTheRange) {
    DtbBlockCommitter committer(start_, start_ + kBlocks * kBlock, kBlock, 4 * kBlock);
    for (std::size_t n = 1; n <= kBlocks; n += 5) {
        ASSERT_TRUE(committer.Commit(start_ + n * kBlock));
        char* const last = start_ + (n - 1) * kBlock;
        EXPECT_EQ(last[0], 0);
        EXPECT_EQ(last[kBlock - 1], 0);
        std::memset(last, 0x5a, kBlock);
    }
    // The whole range, ahead of use near its end too.
    ASSERT_TRUE(committer.Commit(start_ + kBlocks * kBlock));
    std::memset(start_, 1, kBlocks * kBlock);
}

TEST_F(DtbBlockCommitterTest, ThreadsAskingAtOnceEachGetTheirBlocks) {
    DtbBlockCommitter committer(start_, start_ + kBlocks * kBlock, kBlock, 2 * kBlock);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t n = t + 1; n <= kBlocks; n += 4) {
                ASSERT_TRUE(committer.Commit(start_ + n * kBlock));
                start_[n * kBlock - 1] = static_cast<char>(n);
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (std::size_t n = 1; n <= kBlocks; ++n)
        EXPECT_EQ(start_[n * kBlock - 1], static_cast<char>(n));
}
