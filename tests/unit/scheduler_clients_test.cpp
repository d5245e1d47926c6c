#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "scheduler/AutomationText.h"
#include "scheduler/TaskSchedulerClient.h"

namespace {

using Log = std::vector<std::string>;

// What the fake answers to one DISPID: a failure or a result of one type.
struct Reply {
    HRESULT hr = S_OK;
    VARTYPE type = VT_EMPTY;
    long integer = 0;
    std::wstring text;
    IDispatch* object = nullptr;
};
Reply Integer(long value, VARTYPE type = VT_I4) { return Reply{S_OK, type, value, L"", nullptr}; }
Reply Text(const std::wstring& value) { return Reply{S_OK, VT_BSTR, 0, value, nullptr}; }
Reply Object(IDispatch* value) { return Reply{S_OK, VT_DISPATCH, 0, L"", value}; }
Reply Failure(HRESULT hr) { return Reply{hr, VT_EMPTY, 0, L"", nullptr}; }

std::string Describe(const VARIANT& v) {
    std::ostringstream out;
    out.precision(12);
    if (v.vt == VT_I2) out << "I2 " << v.iVal;
    else if (v.vt == VT_I4) out << "I4 " << v.lVal;
    else if (v.vt == VT_DATE) out << "DATE " << v.date;
    else if (v.vt == VT_BSTR && v.bstrVal) out << "BSTR " << std::string(v.bstrVal, v.bstrVal + SysStringLen(v.bstrVal));
    else out << "vt " << v.vt << (v.vt == VT_BSTR ? " null" : "");
    return out.str();
}

// A component object that lives on the test's stack: the test holds the
// first reference, so after every client is gone the count must be 1 again.
class FakeDispatch final : public IDispatch {
public:
    ULONG refs = 1;
    std::map<DISPID, Reply> replies;
    Log log;  // "<kind> <dispid>[ named:PROPERTYPUT] (<arguments in call order>)"

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        *out = (riid == IID_IUnknown || riid == IID_IDispatch) ? this : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        std::ostringstream entry;
        entry << (flags == DISPATCH_METHOD ? "method" : flags == DISPATCH_PROPERTYGET ? "get"
                  : flags == DISPATCH_PROPERTYPUT ? "put" : "flags?")
              << ' ' << std::hex << std::uppercase << id;
        for (UINT i = 0; i < params->cNamedArgs; ++i)
            entry << (params->rgdispidNamedArgs[i] == DISPID_PROPERTYPUT ? " named:PROPERTYPUT" : " named:other");
        entry << " (";
        for (UINT i = params->cArgs; i > 0; --i) entry << Describe(params->rgvarg[i - 1]) << (i > 1 ? ", " : "");
        entry << ')' << (riid == IID_NULL ? "" : " riid?");
        log.push_back(entry.str());

        const auto found = replies.find(id);
        if (found == replies.end()) return S_OK;
        const Reply& reply = found->second;
        if (FAILED(reply.hr) || !result) return reply.hr;
        result->vt = reply.type;
        if (reply.type == VT_I4) result->lVal = reply.integer;
        if (reply.type == VT_I2) result->iVal = static_cast<SHORT>(reply.integer);
        if (reply.type == VT_BSTR) result->bstrVal = SysAllocString(reply.text.c_str());
        if (reply.type == VT_DISPATCH) (result->pdispVal = reply.object)->AddRef();
        return S_OK;
    }
};

template <typename Client>
Client BoundTo(FakeDispatch& fake) {
    Client client;
    client.AttachDispatch(&fake, true);
    return client;
}

TEST(SchedulerClients, CollectionSendsEachOperationAndHandsOutTasks) {
    FakeDispatch tasks, task;
    tasks.replies = {{0x68030000, Integer(3)}, {0, Object(&task)}, {0x60030002, Object(&task)}};
    {
        TaskSchedulerClient scheduler = BoundTo<TaskSchedulerClient>(tasks);
        EXPECT_EQ(scheduler.Refresh(), S_OK);
        EXPECT_EQ(scheduler.Count(), 3);
        const TaskClient item = scheduler.Item(2);
        EXPECT_EQ(item.Dispatch(), &task);
        EXPECT_EQ(task.refs, 2u);
        const TaskClient added = scheduler.Add("Nightly shred");
        EXPECT_EQ(added.Dispatch(), &task);
        EXPECT_EQ(scheduler.Remove(3), S_OK);
        EXPECT_EQ(tasks.log, (Log{"method 60030003 ()", "get 68030000 ()", "get 0 (I2 2)",
                                  "method 60030002 (BSTR Nightly shred)", "method 60030004 (I2 3)"}));
    }
    EXPECT_EQ(tasks.refs, 1u);
    EXPECT_EQ(task.refs, 1u);
}

TEST(SchedulerClients, TaskAndTriggerSendEachOperation) {
    FakeDispatch task, triggers, trigger;
    task.replies = {{0x68030003, Text(L"Nightly shred")}, {0x6803000F, Text(L"Vantrel")},
                    {0x68030000, Object(&triggers)}};
    triggers.replies = {{0x60030002, Object(&trigger)}};
    {
        TaskClient client = BoundTo<TaskClient>(task);
        EXPECT_EQ(client.Name(), "Nightly shred");
        EXPECT_EQ(client.Creator(), "Vantrel");
        EXPECT_EQ(client.SetCreator("Vantrel"), S_OK);
        EXPECT_EQ(client.SetApplicationName("C:\\Vantrel\\Vantrel.exe"), S_OK);
        EXPECT_EQ(client.SetParameters(L"\"/s\" \"T\""), S_OK);
        TriggerListClient list = client.Triggers();
        TriggerClient daily = list.Add();
        EXPECT_EQ(daily.SetTriggerType(TriggerClient::kDaily), S_OK);
        EXPECT_EQ(daily.SetStartDate(46364.75), S_OK);
        EXPECT_EQ(daily.SetStartTime(46364.75), S_OK);
        EXPECT_EQ(client.Run(), S_OK);
        EXPECT_EQ(client.Commit(), S_OK);
        EXPECT_EQ(client.EditProperties(), S_OK);
        EXPECT_EQ(task.log, (Log{"get 68030003 ()", "get 6803000F ()", "put 6803000F named:PROPERTYPUT (BSTR Vantrel)",
                                 "put 68030012 named:PROPERTYPUT (BSTR C:\\Vantrel\\Vantrel.exe)",
                                 "put 68030011 named:PROPERTYPUT (BSTR \"/s\" \"T\")", "get 68030000 ()",
                                 "method 60030014 ()", "method 60030016 (BSTR )", "method 60030017 ()"}));
        EXPECT_EQ(triggers.log, (Log{"method 60030002 ()"}));
        EXPECT_EQ(trigger.log, (Log{"put 68030007 named:PROPERTYPUT (I4 1)",
                                    "put 68030003 named:PROPERTYPUT (DATE 46364.75)",
                                    "put 68030000 named:PROPERTYPUT (DATE 46364.75)"}));
        EXPECT_EQ(trigger.refs, 2u);
    }
    EXPECT_EQ(task.refs, 1u);
    EXPECT_EQ(triggers.refs, 1u);
    EXPECT_EQ(trigger.refs, 1u);
}

// Automation reads the argument array last first; a two-argument call shows
// whether the client reversed it.
struct TwoArgumentClient : DispatchClient {
    HRESULT Call() {
        AutomationVariant result;
        return InvokeMethod(7, result, AutomationVariant::Int16(1), AutomationVariant::Text("second"));
    }
};

TEST(SchedulerClients, ArgumentsArriveInCallOrder) {
    FakeDispatch fake;
    BoundTo<TwoArgumentClient>(fake).Call();
    EXPECT_EQ(fake.log, (Log{"method 7 (I2 1, BSTR second)"}));
}

TEST(SchedulerClients, AttachingReleasesWhatWasHeld) {
    FakeDispatch first, second;
    {
        TaskClient current = BoundTo<TaskClient>(first);
        current.AttachDispatch(&first, true);  // the same object again
        EXPECT_EQ(first.refs, 2u);
        second.AddRef();
        current.AttachDispatch(&second, false);  // takes over that reference
        EXPECT_EQ(first.refs, 1u);
        EXPECT_EQ(second.refs, 2u);
        current = BoundTo<TaskClient>(first);
        EXPECT_EQ(second.refs, 1u);
        current.ReleaseDispatch();
        EXPECT_FALSE(current.IsBound());
    }
    EXPECT_EQ(first.refs, 1u);
}

TEST(SchedulerClients, UnboundClientsAndFailingCallsAnswerDefaults) {
    TaskSchedulerClient unbound;
    EXPECT_EQ(unbound.Refresh(), OLE_E_BLANK);
    EXPECT_EQ(unbound.Count(), 0);
    EXPECT_FALSE(unbound.Item(1).IsBound());
    EXPECT_FALSE(unbound.Add("x").IsBound());
    EXPECT_EQ(TaskClient().Name(), "");
    EXPECT_EQ(TaskClient().Commit(), OLE_E_BLANK);
    EXPECT_FALSE(TaskClient().Triggers().Add().IsBound());
    EXPECT_EQ(TriggerClient().SetStartDate(1.0), OLE_E_BLANK);

    FakeDispatch failing;
    failing.replies = {{0x68030000, Failure(DISP_E_MEMBERNOTFOUND)}, {0x60030002, Failure(E_FAIL)},
                       {0x60030004, Failure(DISP_E_BADINDEX)}};
    {
        TaskSchedulerClient scheduler = BoundTo<TaskSchedulerClient>(failing);
        EXPECT_EQ(scheduler.Count(), 0);
        EXPECT_FALSE(scheduler.Add("x").IsBound());
        EXPECT_EQ(scheduler.Remove(9), DISP_E_BADINDEX);
        failing.replies = {{0x68030000, Text(L"three")}, {0, Integer(5)}};  // results of the wrong type
        EXPECT_EQ(scheduler.Count(), 0);
        EXPECT_FALSE(scheduler.Item(1).IsBound());
        failing.replies = {{0x68030000, Integer(3, VT_I2)}};
        EXPECT_EQ(scheduler.Count(), 3);
    }
    EXPECT_EQ(failing.refs, 1u);
}

struct ComApartment {
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
};

TEST(SchedulerClients, CreateDispatchBindsOnlyRegisteredClasses) {
    ComApartment com;
    FakeDispatch held;
    TaskSchedulerClient scheduler = BoundTo<TaskSchedulerClient>(held);
    EXPECT_FALSE(scheduler.CreateDispatch("TaskScheduler.Schedule"));
    EXPECT_FALSE(scheduler.IsBound());
    EXPECT_EQ(held.refs, 1u);
    EXPECT_FALSE(scheduler.CreateDispatch(nullptr));

    DispatchClient present;  // a class every system has
    EXPECT_TRUE(present.CreateDispatch("Scripting.Dictionary"));
    EXPECT_NE(present.Dispatch(), nullptr);
}

TEST(SchedulerAutomationText, EightBitTextSurvivesTheRoundTrip) {
    const std::string cafe = "Caf\xE9";
    const UniqueBstr wide = BstrFromSystemText(cafe);
    ASSERT_TRUE(wide);
    EXPECT_EQ(SystemTextFromBstr(wide.Get()), cafe);
    if (GetACP() == 1252) {
        EXPECT_EQ(std::wstring(wide.Get()), L"Caf\u00E9");
    }

    const std::string longText(5000, '\xC4');
    EXPECT_EQ(SystemTextFromBstr(BstrFromSystemText(longText).Get()), longText);

    const UniqueBstr empty = BstrFromSystemText("");
    ASSERT_TRUE(empty);  // an empty string, not a missing one
    EXPECT_EQ(SysStringLen(empty.Get()), 0u);
    EXPECT_EQ(SystemTextFromBstr(nullptr), "");
}

SYSTEMTIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms = 0) {
    SYSTEMTIME t = {};
    t.wYear = year, t.wMonth = month, t.wDay = day, t.wHour = hour, t.wMinute = minute, t.wSecond = second;
    t.wMilliseconds = ms;
    return t;
}

TEST(SchedulerAutomationDate, DaysSinceTheEpochWithTheTimeAsFraction) {
    EXPECT_DOUBLE_EQ(AutomationDateFromLocalTime(LocalTime(2026, 12, 8, 18, 0, 0)), 46364.75);
    EXPECT_DOUBLE_EQ(AutomationDateFromLocalTime(LocalTime(1899, 12, 30, 0, 0, 0)), 0.0);
    EXPECT_NEAR(AutomationDateFromLocalTime(LocalTime(1999, 12, 31, 6, 30, 15, 900)), 36525 + 23415 / 86400.0, 1e-9);
    EXPECT_EQ(AutomationDateFromLocalTime(LocalTime(2026, 13, 1, 0, 0, 0)), 0.0);
}

TEST(SchedulerAutomationDate, NowIsTheLocalTimeInWholeSeconds) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    const DATE now = AutomationDateNow();
    GetLocalTime(&after);
    EXPECT_GE(now, AutomationDateFromLocalTime(before));
    EXPECT_LE(now, AutomationDateFromLocalTime(after));
    const double seconds = (now - std::floor(now)) * 86400;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-4);
}

}  // namespace
