// The component as the program drives it: late-bound by DISPID through the
// program's clients, read back through the system's scheduler itself.
#include <windows.h>

#include <algorithm>

#include "component/ComponentFixture.h"
#include "scheduler/AutomationText.h"
#include "support/StagedProgram.h"
#include "support/TestFolder.h"

namespace {

constexpr DISPID kAdd = 0x60030002;
constexpr DISPID kRemove = 0x60030004;
constexpr DISPID kCreator = 0x6803000F;

TEST_F(ComponentTest, TaskMadeByTheProgramsClientsReadsBackThroughTheSystemScheduler) {
    made.push_back(L"Nightly Files");
    TaskClient task = scheduler.Add("Nightly Files");
    ASSERT_TRUE(task.IsBound());
    EXPECT_EQ(task.SetCreator("Vantrel"), S_OK);
    EXPECT_EQ(task.SetApplicationName("C:\\Program Files\\Vantrel\\Vantrel.exe"), S_OK);
    TriggerClient trigger = task.Triggers().Add();
    ASSERT_TRUE(trigger.IsBound());
    SYSTEMTIME start{2036, 3, 0, 4, 5, 6, 7, 0};
    const DATE when = AutomationDateFromLocalTime(start);
    EXPECT_EQ(trigger.SetTriggerType(TriggerClient::kDaily), S_OK);
    EXPECT_EQ(trigger.SetStartDate(when), S_OK);
    EXPECT_EQ(trigger.SetStartTime(when), S_OK);
    const std::string parameters = "\"/s\" \"Nightly Files\" \"/O2\" \"C:\\a.txt\" \"D:\\b c.txt\"";
    EXPECT_EQ(task.SetParameters(parameters), S_OK);
    EXPECT_FALSE(system.Has(L"Nightly Files")) << "nothing is stored before Commit";
    EXPECT_EQ(task.Commit(), S_OK);

    EXPECT_EQ(task.Name(), "Nightly Files");
    EXPECT_EQ(task.Creator(), "Vantrel");
    ComPtr<ITask> stored = system.Open(L"Nightly Files");
    ASSERT_TRUE(stored.Valid());
    ITask& item = *stored.Get();
    EXPECT_EQ(SystemTasks::Text(item, &ITask::GetCreator), L"Vantrel");
    EXPECT_EQ(SystemTasks::Text(item, &ITask::GetApplicationName), L"C:\\Program Files\\Vantrel\\Vantrel.exe");
    EXPECT_EQ(SystemTasks::Text(item, &ITask::GetParameters), std::wstring(parameters.begin(), parameters.end()));
    EXPECT_EQ(SystemTasks::Text(item, &ITask::GetWorkingDirectory), L"C:\\Program Files\\Vantrel");
    const TASK_TRIGGER daily = SystemTasks::FirstTrigger(item);
    EXPECT_EQ(daily.TriggerType, TASK_TIME_TRIGGER_DAILY);
    EXPECT_EQ(daily.Type.Daily.DaysInterval, 1);
    EXPECT_EQ(daily.wBeginYear * 10000 + daily.wBeginMonth * 100 + daily.wBeginDay, 20360304);
    EXPECT_EQ(daily.wStartHour * 100 + daily.wStartMinute, 506);

    // Runs as the current user while logged on, so no password is kept.
    DWORD flags = 0;
    EXPECT_EQ(item.GetFlags(&flags), S_OK);
    EXPECT_TRUE(flags & TASK_FLAG_RUN_ONLY_IF_LOGGED_ON);
    // The account itself is not in the task's file (Windows keeps it with
    // the credentials, this scheduler in memory), so a task opened anew
    // cannot be asked for it.
}

TEST_F(ComponentTest, EnumerationCountsEveryTaskInNameOrderAndRemovesByIndex) {
    MakeTask("Zulu");
    made.push_back(L"Mid other program");
    ASSERT_TRUE(system.MakeForeign(L"Mid other program", L"Someone Else"));
    MakeTask("Alpha");

    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Alpha", "Mid other program", "Zulu"}));
    EXPECT_EQ(scheduler.Item(2).Creator(), "Someone Else");
    EXPECT_EQ(scheduler.Item(3).Creator(), "Vantrel");

    EXPECT_EQ(scheduler.Remove(1), S_OK);
    EXPECT_FALSE(system.Has(L"Alpha"));
    EXPECT_TRUE(system.Has(L"Mid other program"));
    EXPECT_EQ(scheduler.Count(), 2) << "Remove takes the task out of the list";
    EXPECT_EQ(scheduler.Item(1).Name(), "Mid other program");
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Mid other program", "Zulu"}));
}

TEST_F(ComponentTest, NamesNoTaskFileMayHaveAreRefusedAndLeaveNothing) {
    const size_t before = system.Names().size();
    const std::wstring refused[] = {L"",        L"a/b", L"a\\b",     L"C:x",      L"what?", L"star*", L"\"quoted\"",
                                    L"<angle>", L"p|q", L"tab\there", L"line\nbreak", std::wstring(201, L'n'), L"CON",
                                    L"com1",    L"ends with a dot."};
    for (const std::wstring& name : refused) {
        const CallAnswer answer = Call(scheduler.Dispatch(), kAdd, DISPATCH_METHOD, {TextArg(name.c_str())});
        EXPECT_EQ(answer.hr, DISP_E_EXCEPTION) << std::string(name.begin(), name.end());
        EXPECT_FALSE(answer.description.empty());
    }
    EXPECT_EQ(Call(scheduler.Dispatch(), kAdd, DISPATCH_METHOD, {TextArg(L"")}).description, "A task needs a name.");
    EXPECT_NE(Call(scheduler.Dispatch(), kAdd, DISPATCH_METHOD, {TextArg(L"a:b")}).description.find(": * ?"),
              std::string::npos);
    EXPECT_NE(Call(scheduler.Dispatch(), kAdd, DISPATCH_METHOD, {TextArg(std::wstring(201, L'n').c_str())})
                  .description.find("at most 200"),
              std::string::npos);
    EXPECT_FALSE(scheduler.Add("a/b").IsBound());
    EXPECT_TRUE(scheduler.Add(std::string(200, 'n')).IsBound()) << "the longest name is taken";
    EXPECT_EQ(system.Names().size(), before);
}

TEST_F(ComponentTest, DuplicateNamesAreRefusedExactlyAndInAnyLetterCase) {
    MakeTask("Nightly");
    const CallAnswer same = Call(scheduler.Dispatch(), kAdd, DISPATCH_METHOD, {TextArg(L"Nightly")});
    EXPECT_EQ(same.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(same.description, "A task named \"Nightly\" already exists.");
    // The task would be the same file "nightly.job".
    const CallAnswer caseOnly = Call(scheduler.Dispatch(), kAdd, DISPATCH_METHOD, {TextArg(L"NIGHTLY")});
    EXPECT_EQ(caseOnly.hr, DISP_E_EXCEPTION);
    EXPECT_NE(caseOnly.description.find("differ only in letter case"), std::string::npos) << caseOnly.description;
    EXPECT_EQ(SystemTasks::Text(*system.Open(L"Nightly").Get(), &ITask::GetCreator), L"Vantrel");

    // Two tasks added under one new name: the second Commit must not replace the first.
    made.push_back(L"Twice");
    TaskClient first = scheduler.Add("Twice");
    TaskClient second = scheduler.Add("Twice");
    ASSERT_TRUE(first.IsBound() && second.IsBound());
    EXPECT_EQ(first.SetCreator("first"), S_OK);
    EXPECT_EQ(second.SetCreator("second"), S_OK);
    EXPECT_EQ(first.Commit(), S_OK);
    EXPECT_EQ(second.Commit(), HRESULT_FROM_WIN32(ERROR_FILE_EXISTS));
    EXPECT_EQ(SystemTasks::Text(*system.Open(L"Twice").Get(), &ITask::GetCreator), L"first");
}

TEST_F(ComponentTest, OutOfRangeIndexesAndRemovedTasksGiveClearErrors) {
    MakeTask("Lonely");
    const std::vector<std::string> names = ListedNames();
    const long count = static_cast<long>(names.size());
    for (long index : {0L, -1L, count + 1, 40000L}) {
        const CallAnswer item = Call(scheduler.Dispatch(), 0, DISPATCH_PROPERTYGET, {IntArg(index)});
        EXPECT_EQ(item.hr, DISP_E_EXCEPTION);
        EXPECT_NE(item.description.find("There is no task number " + std::to_string(index)), std::string::npos);
    }
    EXPECT_EQ(Call(scheduler.Dispatch(), kRemove, DISPATCH_METHOD, {IntArg(count + 1)}).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(scheduler.Count(), count);

    const int16_t index = static_cast<int16_t>(std::find(names.begin(), names.end(), "Lonely") - names.begin() + 1);
    TaskClient kept = scheduler.Item(index);
    ASSERT_EQ(kept.Name(), "Lonely");
    EXPECT_EQ(scheduler.Remove(index), S_OK);
    const CallAnswer put = Call(kept.Dispatch(), kCreator, DISPATCH_PROPERTYPUT, {TextArg(L"again")});
    EXPECT_EQ(put.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(put.description, "The task \"Lonely\" was removed.");
    EXPECT_NE(kept.Commit(), S_OK);
    EXPECT_NE(kept.Run(), S_OK);
    EXPECT_FALSE(system.Has(L"Lonely")) << "a removed task is never written back";
}

TEST_F(ComponentTest, TakesTheArgumentKindsAndNamesScriptsSend) {
    MakeTask("Kinds");
    scheduler.Refresh();
    IDispatch* collection = scheduler.Dispatch();
    struct Named { const wchar_t* name; DISPID id; };
    for (const Named& member : {Named{L"count", 0x68030000}, Named{L"ITEM", 0}, Named{L"Add", kAdd},
                                Named{L"refresh", 0x60030003}, Named{L"Remove", kRemove}}) {
        LPOLESTR name = const_cast<LPOLESTR>(member.name);
        DISPID id = 12345;
        EXPECT_EQ(collection->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
        EXPECT_EQ(id, member.id);
    }
    LPOLESTR bogus = const_cast<LPOLESTR>(L"Bogus");
    DISPID id = 0;
    EXPECT_EQ(collection->GetIDsOfNames(IID_NULL, &bogus, 1, 0, &id), DISP_E_UNKNOWNNAME);

    VARIANT shortIndex;
    shortIndex.vt = VT_I2;
    shortIndex.iVal = 1;
    long referenced = 1;
    VARIANT byReference;
    byReference.vt = VT_I4 | VT_BYREF;
    byReference.plVal = &referenced;
    VARIANT inner = IntArg(1);
    VARIANT variantReference;
    variantReference.vt = VT_VARIANT | VT_BYREF;
    variantReference.pvarVal = &inner;
    for (VARIANT index : {shortIndex, byReference, variantReference, TextArg(L"1"), IntArg(1)}) {
        const CallAnswer item = Call(collection, 0, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {index});
        EXPECT_EQ(item.hr, S_OK);
        EXPECT_EQ(item.result.Get().vt, VT_DISPATCH);
    }
    const CallAnswer words = Call(collection, 0, DISPATCH_PROPERTYGET, {TextArg(L"first")});
    EXPECT_EQ(words.hr, DISP_E_EXCEPTION);
    EXPECT_NE(words.description.find("takes a number"), std::string::npos);
}

TEST_F(ComponentTest, RunStartsTheTasksProgramWithItsParameters) {
    TestFolder folder;
    StagedProgram program(folder.path());
    ASSERT_TRUE(program.valid()) << "the program is staged on the test drive before these tests";
    const std::string victim = folder / "victim.txt";
    WriteFilled(victim, 70000, 0x33);
    made.push_back(L"RunTask");
    TaskClient task = scheduler.Add("RunTask");
    EXPECT_EQ(task.SetApplicationName(program.path()), S_OK);
    EXPECT_EQ(task.SetParameters("\"/s\" \"RunTask\" " + Quoted(victim)), S_OK);
    EXPECT_EQ(task.Commit(), S_OK);

    EXPECT_EQ(task.Run(), S_OK);
    // Run only starts the program; wait for it to finish its job.
    for (int i = 0; i < 300 && program.Log().find("Success") == std::string::npos; ++i) ::Sleep(200);
    EXPECT_NE(program.Log().find("Task Name: RunTask\r\nSuccess\r\n"), std::string::npos) << program.Log();
    EXPECT_FALSE(Exists(victim));
    ::Sleep(500);  // lets the program close its log before the folder goes
}

TEST_F(ComponentTest, UnregisteringRemovesTheClassAndTheStartUpProbeSeesItMissing) {
    char folder[MAX_PATH];
    ASSERT_NE(::GetSystemDirectoryA(folder, MAX_PATH), 0u);
    const std::string systemFolder = folder;
    auto regsvr32 = [&](const std::string& switches) {
        std::string line = "\"" + systemFolder + "\\regsvr32.exe\" " + switches + " \"" + systemFolder + "\\Sched.dll\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            return 9999ul;
        ::WaitForSingleObject(started.hProcess, 60000);
        DWORD code = 9998;
        ::GetExitCodeProcess(started.hProcess, &code);
        ::CloseHandle(started.hProcess);
        ::CloseHandle(started.hThread);
        return code;
    };
    EXPECT_TRUE(SchedulerComponentPresent(systemFolder));

    EXPECT_EQ(regsvr32("/s /u"), 0ul);
    EXPECT_FALSE(SchedulerComponentPresent(systemFolder));
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CLASSES_ROOT, "TaskScheduler.Schedule", 0, KEY_READ, &key), ERROR_SUCCESS);
    TaskSchedulerClient absent;
    EXPECT_FALSE(absent.CreateDispatch(kSchedulerProgId));

    EXPECT_EQ(regsvr32("/s"), 0ul);
    EXPECT_TRUE(SchedulerComponentPresent(systemFolder));
    char server[MAX_PATH] = "";
    LONG size = sizeof server;
    EXPECT_EQ(::RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{CD06F30A-1794-4862-AA8A-3D87A446AC11}\\InprocServer32",
                               server, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(::lstrcmpiA(server, (systemFolder + "\\Sched.dll").c_str()), 0) << server;
}

}  // namespace
