// The read-back of the last pass: every kind of last pass reads back clean,
// a file rewritten behind the engine's back is reported and kept, and a
// stream that will not open keeps its whole file.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "support/TestEngine.h"
#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

constexpr size_t kSize = 200000;  // three full blocks and a short one

class VerifyPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.state.runMode = true;
        engine.state.job.verify = true;
    }
    bool Untouched(const std::string& path, size_t size) {
        const auto bytes = ReadBytes(path);
        return bytes.size() == size && std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0x42; });
    }
    TestFolder folder;
    TestEngine engine;
};

TEST_F(VerifyPassTest, EveryKindOfLastPassReadsBackCleanAndTheFileGoes) {
    // The built-ins end in a pattern (0, 4) or a random pass (1 to 3); a
    // complement last pass is only ever a user's own.
    engine.algorithms.Append(ShredAlgorithm{"Flip", "", {ShredPass::MakeRandom(), ShredPass::MakeComplement()}, true});
    for (int algorithm = 0; algorithm <= 5; ++algorithm) {
        engine.state.job.algorithm = algorithm;
        const std::string path = folder.MakeFile("clean" + std::to_string(algorithm) + ".bin", kSize);
        engine.ui.progress.details.clear();
        EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), kGoOn) << algorithm;
        EXPECT_FALSE(Exists(path)) << algorithm;
        ASSERT_FALSE(engine.ui.progress.details.empty());
        EXPECT_EQ(engine.ui.progress.details.back(), "Verifying the last pass") << algorithm;
    }
    EXPECT_TRUE(engine.log.records.empty()) << engine.log.records.front();
    EXPECT_EQ(engine.state.itemsNotDone, 0u);
    EXPECT_TRUE(ListNames(folder.path()).empty());
}

TEST_F(VerifyPassTest, ARewriteBeforeTheReadBackIsReportedWithNameAndOffsetAndTheFileKept) {
    engine.state.job.algorithm = 1;  // random, complement, random
    const std::string path = folder.MakeFile("rewritten.bin", kSize);
    constexpr DWORD kAt = 70000;
    bool rewritten = false;
    // After the last block of the last pass, another program writes a byte
    // that differs from what the pass wrote there.
    engine.ui.onPump = [&] {
        RecordingProgress& progress = engine.ui.progress;
        if (rewritten || progress.details.back().rfind("Pass 3 of 3", 0) != 0 || progress.itemPos != progress.itemHigh)
            return;
        win::UniqueHandle other(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other);
        const uint8_t changed = static_cast<uint8_t>(~engine.buffer.data()[kAt % 65536]);
        DWORD done = 0;
        ::SetFilePointer(other.Get(), static_cast<LONG>(kAt), nullptr, FILE_BEGIN);
        ASSERT_TRUE(::WriteFile(other.Get(), &changed, 1, &done, nullptr));
        ::FlushFileBuffers(other.Get());
        rewritten = true;
    };
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), kGoOn);
    ASSERT_TRUE(rewritten);
    ASSERT_EQ(engine.log.records.size(), 1u);
    EXPECT_EQ(engine.log.records[0], "Verification failed:\n" + path +
                                         "\ndoes not read back as the last pass wrote it, from byte 70000 on.\n"
                                         "The file keeps its name.");
    EXPECT_EQ(engine.state.itemsNotDone, 1u);
    EXPECT_EQ(ReadBytes(path).size(), kSize) << "kept under its own name, not cut";
    EXPECT_EQ(ListNames(folder.path()).size(), 1u);
}

TEST_F(VerifyPassTest, AStreamThatWillNotOpenKeepsItsWholeFile) {
    const std::string path = folder.MakeFile("kept.txt", 1000);
    engine.streams.names[win::FsPath(path).Text()] = {L"gone"};
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::Confirm), kGoOn);
    EXPECT_EQ(engine.shredder.ShredFile(path, ShredFileMode::NoConfirm), kStop);
    ASSERT_EQ(engine.log.records.size(), 2u);
    EXPECT_EQ(engine.log.records[0],
              "Could not open the data stream\n" + path + ":gone\nThe file keeps its name and its data.");
    EXPECT_EQ(engine.state.itemsNotDone, 2u);
    EXPECT_TRUE(Untouched(path, 1000));
}

}  // namespace
