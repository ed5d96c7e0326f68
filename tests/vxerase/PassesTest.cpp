// The passes each method writes, observed as the bytes a target holds at each flush.
#include "EraseMethod.h"
#include "Overwrite.h"
#include "OverwriteSize.h"
#include "RecordingTarget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

namespace {

using Pattern = std::array<uint8_t, 3>;

// Longer than two chunks and not a multiple of three, so patterns must stay in phase across
// chunk boundaries.
constexpr uint64_t kLength = 2 * PassStream::kMaxChunk + 1001;

ChaChaRng MakeRng(uint8_t seed) {
    uint8_t key[ChaChaRng::kKeySize] = {seed};
    return ChaChaRng(key);
}

std::optional<Pattern> RepeatedPattern(const std::vector<uint8_t>& data) {
    if (data.size() < 3)
        return std::nullopt;
    for (size_t i = 3; i < data.size(); ++i)
        if (data[i] != data[i % 3])
            return std::nullopt;
    return Pattern{data[0], data[1], data[2]};
}

// Every byte value turns up, and none far more often than the others.
bool LooksRandom(const std::vector<uint8_t>& data) {
    std::array<size_t, 256> counts{};
    for (uint8_t byte : data)
        ++counts[byte];
    const size_t most = *std::max_element(counts.begin(), counts.end());
    const size_t least = *std::min_element(counts.begin(), counts.end());
    return least > 0 && most < 4 * data.size() / 256;
}

struct Run {
    RecordingTarget target;
    OverwriteResult result;
};

std::unique_ptr<Run> OverwriteWith(EraseMethod method, uint64_t length = kLength,
                                   uint8_t seed = 1) {
    auto run = std::make_unique<Run>();
    ChaChaRng rng = MakeRng(seed);
    const std::vector<Pass> passes = PassesFor(method, rng);
    std::vector<uint8_t> buffer;
    std::atomic<bool> cancel{false};
    run->result = Overwrite(run->target, length, passes, rng, buffer, cancel);
    return run;
}

Pattern Byte(uint8_t value) {
    return Pattern{value, value, value};
}

// Each flushed pass as a fixed pattern, or nullopt for a random pass.
std::vector<std::optional<Pattern>> Sequence(const RecordingTarget& target) {
    std::vector<std::optional<Pattern>> sequence;
    for (const auto& pass : target.flushed) {
        sequence.push_back(RepeatedPattern(pass));
        if (!sequence.back()) {
            EXPECT_TRUE(LooksRandom(pass)) << "pass " << sequence.size();
        }
    }
    return sequence;
}

} // namespace

TEST(Gutmann, FourRandomThenEachFixedPatternOnceThenFourRandom) {
    const auto run = OverwriteWith(EraseMethod::Gutmann);
    ASSERT_EQ(run->result, OverwriteResult::Done);
    const auto sequence = Sequence(run->target);
    ASSERT_EQ(sequence.size(), 35u);
    for (int i : {0, 1, 2, 3, 31, 32, 33, 34})
        EXPECT_FALSE(sequence[i]) << "pass " << i << " should be random";

    std::vector<Pattern> fixed, table;
    for (int i = 4; i < 31; ++i) {
        ASSERT_TRUE(sequence[i]) << "pass " << i << " should be a pattern in phase";
        fixed.push_back(*sequence[i]);
    }
    for (const auto& p : kGutmannPatterns)
        table.push_back(Pattern{p[0], p[1], p[2]});
    std::sort(fixed.begin(), fixed.end());
    std::sort(table.begin(), table.end());
    EXPECT_EQ(fixed, table);
}

TEST(Gutmann, FixedPatternOrderIsShuffledAndRandomPassesDiffer) {
    const auto first = OverwriteWith(EraseMethod::Gutmann, 65536, 1);
    const auto second = OverwriteWith(EraseMethod::Gutmann, 65536, 2);
    EXPECT_NE(Sequence(first->target), Sequence(second->target));
    EXPECT_NE(first->target.flushed[0], first->target.flushed[1]);
    EXPECT_NE(first->target.flushed[0], second->target.flushed[0]);
}

TEST(Dod, SevenAndThreePassSequencesWithTheLastPassVerified) {
    const auto seven = OverwriteWith(EraseMethod::Dod5200_28Std);
    ASSERT_EQ(seven->result, OverwriteResult::Done);
    const std::vector<std::optional<Pattern>> sevenExpected = {
        Byte(0x00), Byte(0xFF), std::nullopt, std::nullopt, Byte(0x00), Byte(0xFF), std::nullopt};
    EXPECT_EQ(Sequence(seven->target), sevenExpected);

    const auto three = OverwriteWith(EraseMethod::Dod5220_22M);
    ASSERT_EQ(three->result, OverwriteResult::Done);
    const std::vector<std::optional<Pattern>> threeExpected = {Byte(0x00), Byte(0xFF),
                                                               std::nullopt};
    EXPECT_EQ(Sequence(three->target), threeExpected);

    // Reads follow the flush of the pass they check: only after the last one.
    for (const auto* target : {&seven->target, &three->target}) {
        const auto& reads = target->readsBeforeFlush;
        EXPECT_TRUE(std::all_of(reads.begin(), reads.end() - 1, [](int n) { return n == 0; }));
        EXPECT_GT(reads.back(), 0);
    }
}

TEST(SinglePass, PseudoRandomAndZeroesWriteOnePassUnverified) {
    const auto random = OverwriteWith(EraseMethod::PseudoRandom);
    ASSERT_EQ(random->target.flushed.size(), 1u);
    EXPECT_FALSE(RepeatedPattern(random->target.flushed[0]));
    EXPECT_TRUE(LooksRandom(random->target.flushed[0]));
    EXPECT_EQ(random->target.readsBeforeFlush[0], 0);

    const auto zeroes = OverwriteWith(EraseMethod::Zeroes);
    ASSERT_EQ(zeroes->target.flushed.size(), 1u);
    EXPECT_EQ(RepeatedPattern(zeroes->target.flushed[0]), Byte(0));
    EXPECT_EQ(zeroes->target.flushed[0].size(), kLength);
}

// A run plans its progress by the pass counts of the product's header, and its report says
// which methods read their last pass back by the same header.
TEST(PassCount, IsThePassesEachMethodWrites) {
    ChaChaRng rng = MakeRng(1);
    for (EraseMethod method :
         {EraseMethod::Gutmann, EraseMethod::Dod5200_28Std, EraseMethod::Dod5220_22M,
          EraseMethod::PseudoRandom, EraseMethod::Zeroes}) {
        const std::vector<Pass> passes = PassesFor(method, rng);
        EXPECT_EQ(passes.size(), PassCount(method)) << int(method);
        EXPECT_EQ(passes.back().verify, kMethodReadsBack[int(method)]) << int(method);
    }
}

// A file kept compressed first gets random data, which cannot compress, before any pattern; a
// method that begins with random data is left as it is.
TEST(CompressedFiles, APatternFirstMethodGetsARandomPassInFront) {
    for (EraseMethod method :
         {EraseMethod::Zeroes, EraseMethod::Dod5220_22M, EraseMethod::Dod5200_28Std,
          EraseMethod::PseudoRandom, EraseMethod::Gutmann}) {
        ChaChaRng rng = MakeRng(3);
        const std::vector<Pass> passes = PassesFor(method, rng);
        const std::vector<Pass> covered = PassesForCompressed(passes);
        ASSERT_FALSE(covered.empty());
        EXPECT_TRUE(covered.front().random);
        EXPECT_FALSE(covered.front().verify);
        EXPECT_EQ(covered.size(), passes.size() + (passes.front().random ? 0 : 1));
        EXPECT_EQ(covered.back().verify, passes.back().verify);
    }
}

// The caller may take the last flush, to flush several files together, but never that of a pass
// read back, nor of the passes before the last.
TEST(LastFlush, OnlyTheLastUnverifiedPassIsLeftToTheCaller) {
    std::vector<uint8_t> buffer;
    std::atomic<bool> cancel{false};
    ChaChaRng rng = MakeRng(7);
    RecordingTarget single, verified;
    EXPECT_EQ(Overwrite(single, 10000, PassesFor(EraseMethod::PseudoRandom, rng), rng, buffer,
                        cancel, LastFlush::ByCaller),
              OverwriteResult::Done);
    EXPECT_TRUE(single.flushed.empty());
    EXPECT_EQ(single.Writes(), 1u);
    EXPECT_EQ(Overwrite(verified, 10000, PassesFor(EraseMethod::Dod5220_22M, rng), rng, buffer,
                        cancel, LastFlush::ByCaller),
              OverwriteResult::Done);
    EXPECT_EQ(verified.flushed.size(), 3u);
}

TEST(Verification, AWrongReadBackRewritesThePassOnceThenFails) {
    std::vector<uint8_t> buffer;
    std::atomic<bool> cancel{false};
    const std::vector<Pass> passes = {Pass{true, {}, true}};

    RecordingTarget once;
    once.corruptReads = 1;
    ChaChaRng rng = MakeRng(3);
    EXPECT_EQ(Overwrite(once, 10000, passes, rng, buffer, cancel), OverwriteResult::Done);
    ASSERT_EQ(once.flushed.size(), 2u);
    EXPECT_EQ(once.flushed[0], once.flushed[1]) << "the pass is written again with the same data";

    RecordingTarget always;
    always.corruptReads = 100;
    EXPECT_EQ(Overwrite(always, 10000, passes, rng, buffer, cancel), OverwriteResult::Failed);
}

TEST(Cancel, StopsAtTheNextChunkButNeverBeforeTheFirst) {
    std::vector<uint8_t> buffer;
    ChaChaRng rng = MakeRng(4);
    const std::vector<Pass> passes = {Pass{false, {0x55, 0x55, 0x55}, false},
                                      Pass{false, {0xAA, 0xAA, 0xAA}, false}};

    std::atomic<bool> cancelled{true};
    RecordingTarget early;
    EXPECT_EQ(Overwrite(early, kLength, passes, rng, buffer, cancelled),
              OverwriteResult::Cancelled);
    EXPECT_EQ(early.Writes(), 1u);

    std::atomic<bool> cancel{false};
    RecordingTarget midway;
    midway.onWrite = [&](size_t writes) {
        if (writes == 4)
            cancel = true;
    };
    EXPECT_EQ(Overwrite(midway, kLength, passes, rng, buffer, cancel), OverwriteResult::Cancelled);
    EXPECT_EQ(midway.Writes(), 4u);
    EXPECT_EQ(midway.flushed.size(), 1u);
}

TEST(PassStream, SmallTargetsNeedOnlyASmallBuffer) {
    std::vector<uint8_t> buffer;
    ChaChaRng rng = MakeRng(5);
    PassStream stream(Pass{false, {1, 2, 3}, false}, rng, buffer, 100);
    EXPECT_LT(buffer.size(), 200u);
    const uint8_t* first = stream.Next(4);
    EXPECT_EQ(std::vector<uint8_t>(first, first + 4), (std::vector<uint8_t>{1, 2, 3, 1}));
    const uint8_t* second = stream.Next(3);
    EXPECT_EQ(std::vector<uint8_t>(second, second + 3), (std::vector<uint8_t>{2, 3, 1}));
}

TEST(MethodFromSetting, LowestOfBitsZeroToThreeElseZeroesAndPseudoRandomWhenAbsent) {
    EXPECT_EQ(MethodFromSetting(std::nullopt), EraseMethod::PseudoRandom);
    EXPECT_EQ(MethodFromSetting(0x81), EraseMethod::Gutmann);
    EXPECT_EQ(MethodFromSetting(0x82), EraseMethod::Dod5200_28Std);
    EXPECT_EQ(MethodFromSetting(0x84), EraseMethod::Dod5220_22M);
    EXPECT_EQ(MethodFromSetting(0x88), EraseMethod::PseudoRandom);
    EXPECT_EQ(MethodFromSetting(0x90), EraseMethod::Zeroes);
    EXPECT_EQ(MethodFromSetting(0x8C), EraseMethod::Dod5220_22M);
    EXPECT_EQ(MethodFromSetting(0xFFFFFFFF), EraseMethod::Gutmann);
    EXPECT_EQ(MethodFromSetting(0x80), EraseMethod::Zeroes);
    EXPECT_EQ(MethodFromSetting(0), EraseMethod::Zeroes);
}

// A random pass of several chunks is made on a second thread: its chunks hold what filling them in
// turn on the caller's thread gives, and a stream left after its first chunk ends at once.
TEST(PassStream, ARandomPassMadeAheadHoldsTheGeneratorsStream) {
    std::vector<uint8_t> buffer;
    const ChaChaRng rng = MakeRng(6);
    ChaChaRng onCaller = rng;
    PassStream stream(Pass{true, {}, false}, rng, buffer, kLength);
    std::vector<uint8_t> expected(PassStream::kMaxChunk);
    for (uint64_t done = 0; done < kLength; done += PassStream::kMaxChunk) {
        const size_t size = size_t(std::min<uint64_t>(PassStream::kMaxChunk, kLength - done));
        onCaller.Fill(expected.data(), size);
        const uint8_t* chunk = stream.Next(size);
        ASSERT_TRUE(std::equal(chunk, chunk + size, expected.begin())) << "at " << done;
    }
    PassStream left(Pass{true, {}, false}, rng, buffer, 100 * PassStream::kMaxChunk);
    left.Next(PassStream::kMaxChunk);
}
