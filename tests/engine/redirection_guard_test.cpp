// 64-bit Windows' file-system redirection around the jobs, with a double of
// the system's switch: off while a job works on its files, on for its
// dialogs, and as it was once the job ends, however it ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "engine/FolderShredder.h"
#include "engine/RedirectionGuard.h"
#include "engine/RedirectionOnInteraction.h"
#include "engine/RestorePointShredder.h"
#include "engine/ShredJob.h"
#include "support/TestEngine.h"
#include "support/TestFolder.h"

namespace {

// Keeps the thread's state as the system does: Disable hands out the state
// before, Revert puts back what it is given.
class RedirectionDouble final : public RedirectionFunctions {
public:
    bool present = true;
    bool redirected = true;
    std::vector<std::string> calls;

    bool Present() const override { return present; }
    bool Disable(void** old) override {
        calls.push_back("Disable");
        *old = redirected ? &kOn : &kOff;
        redirected = false;
        return true;
    }
    bool Revert(void* old) override {
        calls.push_back("Revert");
        redirected = old == &kOn;
        return true;
    }
    bool Enable(bool on) override {
        calls.push_back(on ? "Enable" : "Enable off");
        redirected = on;
        return true;
    }

private:
    static inline char kOn = 1;
    static inline char kOff = 0;
};

// The engine's parts, with the job's dialogs behind the redirection switch
// as the program has them, or straight to the scripted ones.
struct RedirectedEngine {
    explicit RedirectedEngine(bool dialogsWithRedirection)
        : dialogs(engine.ui, &redirection),
          context{engine.algorithms, engine.buffer, engine.state,
                  engine.settings,   engine.texts,  engine.caption,
                  engine.log,        dialogsWithRedirection ? static_cast<UserInteraction&>(dialogs) : engine.ui,
                  engine.clock,      engine.machine, engine.streams, &redirection} {}

    JobOutcome Shred(const std::string& path) {
        JobRequest request;
        request.targets = {path};
        request.silent = true;
        return road.Run(request);
    }

    TestEngine engine;
    RedirectionDouble redirection;
    RedirectionOnInteraction dialogs;
    EngineContext context;
    FileShredder files{context};
    FolderShredder folders{context, files};
    ShredJob road{context, folders};
};

TEST(RedirectionAroundJobs, FileCallsRunWithItOffDialogsWithItOnAndItIsOnAgainAfter) {
    TestFolder folder;
    const std::string path = folder / "System32 look-alike.dll";
    WriteFilled(path, 5 * 65536, 0x5A);

    {
        // Between two writes the job is amid its file calls.
        RedirectedEngine bare(false);
        std::vector<bool> atPumps;
        bare.engine.ui.onPump = [&] { atPumps.push_back(bare.redirection.redirected); };
        bare.Shred(path);
        EXPECT_FALSE(Exists(path));
        ASSERT_GE(atPumps.size(), 5u);
        EXPECT_EQ(atPumps, std::vector<bool>(atPumps.size(), false)) << "a write ran with redirection on";
        EXPECT_TRUE(bare.redirection.redirected);
        EXPECT_EQ(bare.redirection.calls, (std::vector<std::string>{"Disable", "Revert"}));
    }

    // Through the program's dialogs: each pump and box has it on, and off
    // again before the next write.
    WriteFilled(path, 5 * 65536, 0x5A);
    RedirectedEngine program(true);
    std::vector<bool> atPumps;
    program.engine.ui.onPump = [&] { atPumps.push_back(program.redirection.redirected); };
    program.Shred(path);
    EXPECT_FALSE(Exists(path));
    ASSERT_GE(atPumps.size(), 5u);
    EXPECT_EQ(atPumps, std::vector<bool>(atPumps.size(), true));
    const std::vector<std::string>& calls = program.redirection.calls;
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), "Disable");
    EXPECT_EQ(calls.back(), "Revert");
    for (size_t i = 1; i + 1 < calls.size(); i += 3)
        EXPECT_EQ(std::vector<std::string>(calls.begin() + i, calls.begin() + std::min(i + 3, calls.size() - 1)),
                  (std::vector<std::string>{"Disable", "Enable", "Revert"}))
            << "a pause at call " << i << " does not put the job's state back";
    EXPECT_TRUE(program.redirection.redirected);
}

TEST(RedirectionAroundJobs, AJobThatStopsEarlyTurnsItBackOnToo) {
    TestFolder folder;
    const std::string path = folder / "big.bin";
    WriteFilled(path, 8 * 65536, 0x11);
    RedirectedEngine bare(false);
    bare.engine.ui.cancelAtPump = 2;
    const JobOutcome outcome = bare.Shred(path);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_TRUE(bare.redirection.redirected);
    EXPECT_EQ(bare.redirection.calls, (std::vector<std::string>{"Disable", "Revert"}));

    // A word's job answered No at its question: no file call, and back on.
    RedirectedEngine program(true);
    program.engine.ui.confirmAnswers = {ConfirmNo};
    std::vector<RestorePointRecord> points;
    RestorePointShredder restorePoints(program.context, program.folders, points);
    EXPECT_FALSE(restorePoints.ShredRestorePoints());
    EXPECT_TRUE(program.redirection.redirected);
    EXPECT_EQ(program.redirection.calls,
              (std::vector<std::string>{"Disable", "Disable", "Enable", "Revert", "Revert"}))
        << "the question is asked with redirection on, inside the job's guard";
}

TEST(RedirectionAroundJobs, NothingIsCalledWhereTheSystemHasNoSwitch) {
    TestFolder folder;
    const std::string path = folder / "notes.txt";
    WriteFilled(path, 3 * 65536, 0x22);
    RedirectedEngine program(true);
    program.redirection.present = false;
    program.Shred(path);
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(program.redirection.calls.empty());

    // Nor without any switch at all.
    const RedirectionGuard none(nullptr);
    const RedirectionPause alsoNone(nullptr);
}

}  // namespace
