// Drives a real Shred Files or Shred Folders page the way a person does: the
// paths are dropped on it (a shell drop built here), Shred Now is clicked and
// its confirmation answered Yes; the real progress dialog shows the job.
// Every other box is printed and answered as its default. Used by the image
// test and the benchmark:
//   page_tool <files|folders> <path>...
// Exit 0 when the page's list was emptied by the job.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"
#include "engine/SystemStreamLister.h"
#include "engine/ActivityLog.h"
#include "engine/Clock.h"
#include "engine/DialogInteraction.h"
#include "engine/EngineState.h"
#include "engine/FileShredder.h"
#include "engine/FolderShredder.h"
#include "engine/ShredJob.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "lang/LanguagePack.h"
#include "win/WideText.h"
#include "res/resource.h"
#include "ui/CMyPropertyPage2.h"
#include "ui/CMyPropertyPage3.h"
#include "win/NoSkinEngine.h"
#include "win/PropertySheet.h"

namespace {

class PrintingLog final : public ActivityLog {
public:
    void Write(const std::wstring& text) override { last_ = text, std::printf("LOG: %s\n", win::ToUtf8(text).c_str()); }
    void WriteTaskNameLine(const std::wstring& name) override { std::printf("TASK: %s\n", win::ToUtf8(name).c_str()); }
    void Note(const std::wstring& text) override { std::printf("NOTE: %s\n", win::ToUtf8(text).c_str()); }
    const std::wstring& logText() const override { return last_; }

private:
    std::wstring last_;
};

// The real progress dialog; every box answered without a person.
class AnsweringInteraction final : public UserInteraction {
public:
    explicit AnsweringInteraction(DialogInteraction& real) : real_(real) {}
    int ShowMessage(const std::wstring& text, const std::string& /*caption*/, unsigned flags) override {
        std::printf("BOX: %s\n", win::ToUtf8(text).c_str());
        return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    }
    int ConfirmAll(const std::string& /*caption*/, const std::wstring& text, int /*style*/) override {
        std::printf("ASKED: %s\n", win::ToUtf8(text).c_str());
        return ConfirmYes;
    }
    void ShowSystemError(unsigned long code) override { std::printf("SYSTEM ERROR: %lu\n", code); }
    NoticeAnswer ShowNotice(NoticeKind /*kind*/) override { return NoticeAnswer{true, false}; }
    bool OpenProgress(int overallRange) override {
        ++opened;
        return real_.OpenProgress(overallRange);
    }
    void CloseProgress() override { real_.CloseProgress(); }
    bool ProgressOpen() const override { return real_.ProgressOpen(); }
    ProgressView& Progress() override { return real_.Progress(); }
    void ProcessWaitingMessages() override { real_.ProcessWaitingMessages(); }
    int opened = 0;

private:
    DialogInteraction& real_;
};

HDROP MakeDrop(const std::vector<std::string>& names) {
    size_t chars = 1;
    for (const std::string& name : names) chars += name.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    char* at = reinterpret_cast<char*>(header + 1);
    for (const std::string& name : names) {
        std::memcpy(at, name.c_str(), name.size());
        at += name.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: page_tool <files|folders> <path>...\n");
        return 2;
    }
    const bool folderPage = std::string(argv[1]) == "folders";
    std::vector<std::string> paths(argv + 2, argv + argc);

    AlgorithmList algorithms;
    algorithms.AddBuiltInAlgorithms();
    WriteBuffer buffer;
    if (!buffer.Allocate()) return 3;
    EngineState state;
    SettingsStore settings;
    MachineFacts machine;
    LanguagePack texts(machine.programFolder, "English");
    const std::string caption = "Vantrel";
    PrintingLog log;
    SystemClock clock;
    DialogInteraction dialogs(state, texts, caption);
    AnsweringInteraction ui(dialogs);
    SystemStreamLister streams;
    EngineContext context{algorithms, buffer, state, settings, texts, caption, log, ui, clock, machine, streams};
    FileShredder files(context);
    FolderShredder folders(context, files);
    ShredJob jobs(context, folders);
    NoSkinEngine skin;
    int methodIndex = settings.ReadInt("Method", 0);
    PageServices services{context, jobs, files, folders, skin, methodIndex, nullptr};

    std::unique_ptr<win::PropertyPage> page;
    if (folderPage)
        page = std::make_unique<CMyPropertyPage3>(services);
    else
        page = std::make_unique<CMyPropertyPage2>(services);
    win::PropertySheet sheet(0, 0);
    sheet.AddPage(*page);
    if (!sheet.Create(nullptr, true)) {
        std::printf("NO PAGE: error %lu\n", ::GetLastError());
        return 4;
    }
    ::SendMessageA(page->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    HWND list = ::FindWindowExA(page->Handle(), nullptr, "SysListView32", nullptr);
    const LRESULT listed = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    std::printf("LISTED: %ld\n", static_cast<long>(listed));
    ::SendMessageA(page->Handle(), WM_COMMAND, MAKEWPARAM(IDC_TARGETS_SHRED_NOW, BN_CLICKED),
                   reinterpret_cast<LPARAM>(page->Item(IDC_TARGETS_SHRED_NOW)));
    const LRESULT left = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    std::printf("PROGRESS DIALOGS: %d\nLEFT: %ld\n", ui.opened, static_cast<long>(left));
    sheet.EndSheet(0);
    std::fflush(stdout);
    return listed > 0 && left == 0 ? 0 : 1;
}
