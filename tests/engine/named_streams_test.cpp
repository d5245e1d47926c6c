// Named streams on a real NTFS image, made and read raw afterwards by
// streams_on_ntfs_image.sh. Wine lists no streams, so the listing is the
// test's; opening, overwriting and removing "file:name" is the real thing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/FolderShredder.h"
#include "engine/ShredJob.h"
#include "engine/SystemStreamLister.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

TEST(NamedStreams, EachIsOverwrittenAndRemovedBeforeItsFileOnEveryRoad) {
    const char* root = std::getenv("VANTREL_NTFS_ROOT");
    if (root == nullptr || *root == '\0') GTEST_SKIP() << "the image is made by streams_on_ntfs_image.sh";
    const std::string r = root;  // "R:\"
    TestEngine engine;
    engine.streams.names[win::FsPath(r + "walk\\report.txt").Text()] = {L"notes", L"zone"};
    engine.streams.names[win::FsPath(r + "bin.dat").Text()] = {L"hidden"};

    // A silent folder job that verifies: the walk's door.
    FolderShredder folders(engine.context, engine.shredder);
    ShredJob job(engine.context, folders);
    JobRequest request;
    request.targets = {win::FsPath(r + "walk")};
    request.algorithm = 1;  // random, complement, random
    request.folderOption = request.removeOption = 2;
    request.silent = true;
    request.verify = true;
    EXPECT_TRUE(job.Run(request).AllDone());
    EXPECT_TRUE(engine.log.records.empty()) << engine.log.records.front();
    EXPECT_EQ(engine.log.notes, std::vector<std::string>{"Data streams overwritten and removed (2): " + r +
                                                         "walk\\report.txt"});
    EXPECT_FALSE(Exists(r + "walk"));
    const auto& statuses = engine.ui.progress.statuses;
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), r + "walk\\report.txt:notes"), statuses.end());

    // The Recycle Bin's road keeps the item, cut, and takes its stream too.
    EXPECT_EQ(engine.shredder.ShredFile(r + "bin.dat", ShredFileMode::ContentsOnly), kGoOn);
    EXPECT_EQ(ReadBytes(r + "bin.dat").size(), 0u);
    EXPECT_FALSE(Exists(r + "bin.dat:hidden"));
    EXPECT_EQ(engine.state.itemsNotDone, 0u);

    // Cancel in a stream's first pass: the stream is cut and removed, and the
    // file is cut and deleted, as a cancelled file always is.
    engine.streams.names[win::FsPath(r + "cancel.txt").Text()] = {L"notes"};
    engine.ui.cancelAtPump = engine.ui.pumps + 1;
    EXPECT_EQ(engine.shredder.ShredFile(r + "cancel.txt", ShredFileMode::Confirm), kStop);
    EXPECT_FALSE(Exists(r + "cancel.txt:notes"));
    EXPECT_FALSE(Exists(r + "cancel.txt"));
}

TEST(NamedStreams, TheSystemListingTakesDataStreamsByNameAndWineListsNone) {
    EXPECT_EQ(SystemStreamLister::DataStreamName(L":notes:$DATA"), L"notes");
    EXPECT_EQ(SystemStreamLister::DataStreamName(L"::$DATA"), L"") << "the file's own data";
    EXPECT_EQ(SystemStreamLister::DataStreamName(L":x:$INDEX_ALLOCATION"), L"");
    EXPECT_EQ(SystemStreamLister::DataStreamName(L"notes:$DATA"), L"");
    EXPECT_EQ(SystemStreamLister::DataStreamName(L""), L"");
    TestFolder folder;
    EXPECT_TRUE(SystemStreamLister().NamedStreams(folder.MakeFile("plain.txt", 10)).empty());
}

}  // namespace
