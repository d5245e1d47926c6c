#pragma once
// One page alone in a plain modeless sheet, with an engine of the test's own
// and scripted answers; driven by the messages a person's actions send.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/FolderShredder.h"
#include "engine/ShredJob.h"
#include "support/TestEngine.h"
#include "ui/PageServices.h"
#include "ui/ScheduleRequests.h"
#include "win/AutoFitListCtrl.h"
#include "win/NoSkinEngine.h"
#include "win/PropertySheet.h"
#include "win/WideText.h"

class RecordingPageSchedule final : public ScheduleRequests {
public:
    bool ScheduleFiles(HWND /*owner*/, const std::vector<win::FsPath>& paths) override { return Record(paths); }
    bool ScheduleFolders(HWND /*owner*/, const std::vector<win::FsPath>& paths) override { return Record(paths); }
    std::vector<std::vector<std::string>> requests;
    bool created = true;

private:
    bool Record(const std::vector<win::FsPath>& paths) {
        requests.emplace_back();
        for (const win::FsPath& path : paths) requests.back().push_back(path.Utf8());
        return created;
    }
};

// A drop as the shell hands it: DROPFILES followed by the names, each ended
// by a NUL, the list by one more. The receiver releases it.
inline std::vector<std::string> Utf8(const std::vector<win::FsPath>& paths) {
    std::vector<std::string> texts;
    for (const win::FsPath& path : paths) texts.push_back(path.Utf8());
    return texts;
}

// A wide drop, as the shell of the NT family makes it; names in UTF-8.
inline HDROP MakeDrop(const std::vector<std::string>& names) {
    std::vector<std::wstring> wide;
    size_t chars = 1;
    for (const std::string& name : names) wide.push_back(win::FromUtf8(name)), chars += wide.back().size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    wchar_t* at = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& name : wide) {
        std::memcpy(at, name.c_str(), name.size() * sizeof(wchar_t));
        at += name.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

template <typename Page>
class PageHarness {
public:
    PageHarness() { engine.settings.WriteInt("Method", 0); }
    ~PageHarness() { sheet.EndSheet(0); }

    // Creates the page's window; call after the settings the page reads at start.
    void Open() {
        page = std::make_unique<Page>(services);
        sheet.AddPage(*page);
        created = sheet.Create(nullptr, true);
        list.Attach(::FindWindowExA(page->Handle(), nullptr, "SysListView32", nullptr));
    }
    void Click(int id) {
        ::SendMessageA(page->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(page->Item(id)));
    }
    void Drop(const std::vector<std::string>& names) {
        ::SendMessageA(page->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    }
    void SelectRows(const std::vector<int>& rows) {
        for (int row : rows) {
            LVITEMA item{};
            item.stateMask = LVIS_SELECTED;
            item.state = LVIS_SELECTED;
            ::SendMessageA(list.Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < list.RowCount(); ++i) rows.push_back(win::ToUtf8(list.WideText(i, 0)));
        return rows;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& message : engine.ui.messages) texts.push_back(message.text);
        return texts;
    }

    TestEngine engine;
    FolderShredder folders{engine.context, engine.shredder};
    ShredJob jobs{engine.context, folders};
    NoSkinEngine skin;
    int methodIndex = 0;
    RecordingPageSchedule schedule;
    PageServices services{engine.context, jobs, engine.shredder, folders, skin, methodIndex, &schedule};
    win::PropertySheet sheet{0, 0};
    std::unique_ptr<Page> page;
    win::AutoFitListCtrl list;
    bool created = false;
};
