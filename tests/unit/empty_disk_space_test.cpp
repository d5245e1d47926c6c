#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/EmptyDiskSpace.h"

namespace {

class RecordingFreeSpaceJob final : public FreeSpaceJob {
public:
    explicit RecordingFreeSpaceJob(EngineState& state) : state_(state) {}
    int ShredFreeSpace(const std::string& root) override {
        roots.push_back(root);
        state_.cancelRequested = false;  // as every drive's job does when it starts
        if (root == cancelAt) {
            state_.cancelRequested = true;
            return 1;
        }
        return 0;
    }
    std::vector<std::string> roots;
    std::string cancelAt;

private:
    EngineState& state_;
};

TEST(EmptyDiskSpace, EveryFixedDriveInLetterOrderUntilOneIsCancelled) {
    MachineFacts machine;
    machine.driveRoots[2] = "C:\\";
    machine.driveRoots[17] = "R:\\";
    machine.driveRoots[3] = "D:\\";
    machine.driveRoots[25] = "Z:\\";
    EngineState state;
    RecordingFreeSpaceJob job(state);
    ShredEveryFixedDrive(machine, job, state);
    EXPECT_EQ(job.roots, (std::vector<std::string>{"C:\\", "D:\\", "R:\\", "Z:\\"}));

    job.roots.clear();
    job.cancelAt = "D:\\";
    ShredEveryFixedDrive(machine, job, state);
    EXPECT_EQ(job.roots, (std::vector<std::string>{"C:\\", "D:\\"})) << "a cancelled drive ends the whole word";
    EXPECT_TRUE(state.cancelRequested);
}

}  // namespace
