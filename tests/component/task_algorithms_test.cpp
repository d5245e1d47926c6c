// A deleted algorithm moves the later ones down: this program's tasks in the
// system's scheduler are rewritten through the component to go on with the
// algorithm chosen for them, read back through mstask; another program's
// task keeps its line.
#include "component/ComponentFixture.h"
#include "scheduler/TaskAlgorithmRenumbering.h"

namespace {

class TaskAlgorithmsTest : public ComponentTest {
protected:
    void Make(const std::string& name, const std::string& creator, const std::string& parameters) {
        made.push_back(Wide(name));
        TaskClient task = scheduler.Add(name);
        ASSERT_TRUE(task.IsBound()) << name;
        EXPECT_EQ(task.SetCreator(creator), S_OK);
        EXPECT_EQ(task.SetApplicationName("C:\\Vantrel\\Vantrel.exe"), S_OK);
        EXPECT_EQ(task.SetParameters(parameters), S_OK);
        EXPECT_EQ(task.Commit(), S_OK);
    }
    std::wstring StoredLine(const std::string& name) const {
        const ComPtr<ITask> task = system.Open(Wide(name));
        return task.Valid() ? SystemTasks::Text(*task.Get(), &ITask::GetParameters) : L"<missing>";
    }
    static std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }
};

TEST_F(TaskAlgorithmsTest, DeletingTheSixthOfEightKeepsEveryTaskOnItsAlgorithm) {
    Make("Keeps seven", "Vantrel", "\"/s\" \"Keeps seven\" \"/O7\" \"C:\\a\"");
    Make("Was on six", "Vantrel", "\"/s\" \"Was on six\" \"/O6\" \"recycle\"");
    Make("Stays on two", "Vantrel", "\"/s\" \"Stays on two\" \"/O2\" \"recycle\"");
    Make("Not ours", "Other", "\"/s\" \"Not ours\" \"/O7\" \"recycle\"");
    const PositionMap afterDeletingSix = [](int32_t old) { return old == 6 ? -1 : old > 6 ? old - 1 : old; };

    const RenumberReport report = RenumberTaskAlgorithms(scheduler, afterDeletingSix);

    EXPECT_EQ(report.nowQuickShred, std::vector<std::string>{"Was on six"});
    EXPECT_TRUE(report.notUpdated.empty());
    EXPECT_EQ(report.rewritten, 2);
    EXPECT_EQ(StoredLine("Keeps seven"), L"\"/s\" \"Keeps seven\" \"/O6\" \"C:\\a\"");
    EXPECT_EQ(StoredLine("Was on six"), L"\"/s\" \"Was on six\" \"/O0\" \"recycle\"");
    EXPECT_EQ(StoredLine("Stays on two"), L"\"/s\" \"Stays on two\" \"/O2\" \"recycle\"");
    EXPECT_EQ(StoredLine("Not ours"), L"\"/s\" \"Not ours\" \"/O7\" \"recycle\"");
}

}  // namespace
