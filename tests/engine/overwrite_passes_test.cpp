// What each pass of each built-in algorithm leaves in a real file, captured
// between passes, and how the passes are stepped.
#include <gtest/gtest.h>

#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

using Content = std::vector<uint8_t>;

// The content every pass should leave, worked out from the pass list alone.
std::vector<Content> ExpectedPasses(const ShredAlgorithm& algorithm, size_t size, uint32_t seed) {
    ShredRandom random;
    random.Seed(seed);
    std::vector<uint8_t> block(65536, 0);
    std::vector<Content> passes;
    for (const ShredPass& pass : algorithm.passes) {
        if (pass.IsRandom())
            for (auto& byte : block) byte = static_cast<uint8_t>(random.Next() & 0xFF);
        else if (pass.IsComplement())
            for (auto& byte : block) byte = static_cast<uint8_t>(~byte);
        else
            for (size_t k = 0; k < block.size(); ++k)
                block[k] = pass.pattern.empty() ? 0 : pass.pattern[k % pass.pattern.size()];
        Content content(size);
        for (size_t k = 0; k < size; ++k) content[k] = block[k % block.size()];
        passes.push_back(std::move(content));
    }
    return passes;
}

struct Capture {
    std::vector<Content> afterPass;
};

// Reads the file after the last block step of every pass.
void CaptureEachPass(TestEngine& engine, const std::string& path, Capture& capture) {
    engine.ui.onPump = [&engine, &capture, path] {
        if (engine.ui.progress.itemPos == engine.ui.progress.itemHigh) capture.afterPass.push_back(ReadBytes(path));
    };
}

class BuiltInPassContent : public ::testing::TestWithParam<int> {};

TEST_P(BuiltInPassContent, EveryPassWritesExactlyItsBytesOverTheWholeFile) {
    const int position = GetParam();
    TestFolder folder;
    TestEngine engine;
    engine.state.job.algorithm = position;
    const std::string path = folder / "victim.dat";
    const size_t size = 100000;  // one whole block and a part of the next
    WriteFilled(path, size, 0x5C);

    Capture capture;
    CaptureEachPass(engine, path, capture);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);

    const ShredAlgorithm& algorithm = engine.algorithms.at(static_cast<size_t>(position));
    const std::vector<Content> expected = ExpectedPasses(algorithm, size, static_cast<uint32_t>(engine.clock.now));
    ASSERT_EQ(capture.afterPass.size(), expected.size());
    for (size_t pass = 0; pass < expected.size(); ++pass)
        EXPECT_TRUE(capture.afterPass[pass] == expected[pass]) << "pass " << pass + 1;

    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(ListNames(folder.path()).empty());
    EXPECT_TRUE(engine.ui.messages.empty());
    EXPECT_EQ(engine.ui.pumps, algorithm.passCount() * 3);
}

INSTANTIATE_TEST_SUITE_P(AllBuiltIns, BuiltInPassContent, ::testing::Values(0, 1, 2, 3, 4));

TEST(OverwritePasses, ComplementFollowsRandomAtEveryOffsetAndTheThirdPassIsNew) {
    TestFolder folder;
    TestEngine engine;
    engine.state.job.algorithm = 1;
    const std::string path = folder / "dod.bin";
    WriteFilled(path, 200000, 0x11);
    Capture capture;
    CaptureEachPass(engine, path, capture);
    ASSERT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    ASSERT_EQ(capture.afterPass.size(), 3u);
    for (size_t k = 0; k < 200000; ++k)
        ASSERT_EQ(capture.afterPass[1][k], static_cast<uint8_t>(~capture.afterPass[0][k])) << k;
    EXPECT_FALSE(capture.afterPass[2] == capture.afterPass[0]);
}

TEST(OverwritePasses, ThreeBytePatternRestartsAtEveryBlock) {
    TestFolder folder;
    TestEngine engine;
    ShredAlgorithm custom;
    custom.name = "abc";
    custom.passes = {ShredPass::MakePattern({0xAA, 0xBB, 0xCC})};
    custom.isCustom = true;
    engine.algorithms.Append(custom);
    engine.state.job.algorithm = 5;
    const std::string path = folder / "three.bin";
    WriteFilled(path, 3 * 65536, 0x00);
    Capture capture;
    CaptureEachPass(engine, path, capture);
    ASSERT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    ASSERT_EQ(capture.afterPass.size(), 1u);
    const Content& bytes = capture.afterPass[0];
    for (size_t boundary : {size_t{65536}, size_t{131072}}) {
        EXPECT_EQ(bytes[boundary - 2], 0xCC);
        EXPECT_EQ(bytes[boundary - 1], 0xAA);
        EXPECT_EQ(bytes[boundary], 0xAA);
        EXPECT_EQ(bytes[boundary + 1], 0xBB);
    }
    EXPECT_EQ(engine.ui.progress.details.at(0), "Pass 1 of 1: Writing 0xAABBCC");
}

TEST(OverwritePasses, BlockStepsAndBarsFollowTheSize) {
    struct Case {
        size_t size;
        int steps;   // of the file's own bar: its blocks and two more
        int blocks;  // of the overall bar: what a pass writes
    };
    for (const Case c : {Case{0, 2, 0}, Case{65536, 3, 1}, Case{100000, 3, 2}, Case{131073, 4, 3}}) {
        TestFolder folder;
        TestEngine engine;
        engine.state.job.algorithm = 2;
        const std::string path = folder / "sized.bin";
        WriteFilled(path, c.size, 0x77);
        Capture capture;
        CaptureEachPass(engine, path, capture);
        ASSERT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0) << c.size;
        EXPECT_EQ(engine.ui.progress.itemHigh, c.steps) << c.size;
        EXPECT_EQ(engine.ui.pumps, 3 * c.steps) << c.size;
        EXPECT_EQ(engine.ui.progress.overallPos, 3 * c.blocks) << c.size;
        EXPECT_EQ(engine.ui.progress.statuses.back(), path);
        ASSERT_EQ(capture.afterPass.size(), 3u);
        EXPECT_EQ(capture.afterPass[0].size(), c.size) << "a pass never grows the file";
        EXPECT_FALSE(Exists(path)) << c.size;
    }
}

TEST(OverwritePasses, DetailLineNamesEachPass) {
    TestFolder folder;
    TestEngine engine;
    const std::string path = folder / "d.txt";
    WriteFilled(path, 10, 1);
    engine.state.job.algorithm = 2;
    ASSERT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_EQ(engine.ui.progress.details,
              (std::vector<std::string>{"Pass 1 of 3: Writing 0x01", "Pass 2 of 3: Writing 0x27FFFFFF",
                                        "Pass 3 of 3: Write random data."}));
    WriteFilled(path, 10, 1);
    engine.state.job.algorithm = 1;
    ASSERT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_EQ(engine.ui.progress.details.at(4), "Pass 2 of 3: Write complementary to previous pass pattern.");
}

TEST(OverwritePasses, SilentRunUsesTheRunMethodAndAStoredPositionBeyondTheListFallsBack) {
    TestFolder folder;
    TestEngine engine;
    const std::string path = folder / "m.txt";
    WriteFilled(path, 10, 1);
    engine.state.job.algorithm = 4;
    engine.state.runMode = true;
    engine.state.job.algorithm = 2;
    ASSERT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_EQ(engine.ui.progress.details.size(), 3u);

    engine.state.runMode = false;
    engine.state.job.algorithm = 99;
    WriteFilled(path, 10, 1);
    ASSERT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), 0);
    EXPECT_EQ(engine.ui.progress.details.back(), "Pass 1 of 1: Writing 0x00");
    engine.state.job.algorithm = 0;
}

}  // namespace
