#pragma once
// What the Shred Files and Shred Folders pages share: a list of targets that
// Browse and the shell's drops fill, Remove Item and Remove All, and Shred Now
// and Schedule, which hand the whole list to the page's job and empty it once
// the job has taken it. While any job runs, the list stays as the job sees it.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>
#include <vector>

#include "ui/PageCaptions.h"
#include "ui/PageJobs.h"
#include "ui/PageServices.h"
#include "ui/TargetList.h"
#include "win/PropertyPage.h"

class TargetListPage : public win::PropertyPage {
protected:
    // What differs between the pages besides their jobs.
    struct Layout {
        UINT templateId;
        int listControl;
        int columnTitle;     // the list's one column
        int noneSelected;    // Remove Item with no row selected
        int emptyOnRemove;   // Remove All on an empty list
        int askRemoveAll;    // Remove All's question
        int nothingToShred;  // Shred Now on an empty list
        const PageCaption* captions;
        size_t captionCount;
    };
    TargetListPage(const Layout& layout, const PageServices& services);

    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(WORD id, WORD code, HWND control) final;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Before the list is attached.
    virtual void OnInitTargets() {}
    // The page's own buttons; true when handled.
    virtual bool OnPageButton(WORD /*id*/) { return false; }
    virtual void OnDropFiles(HDROP drop) = 0;
    virtual void OnBrowse() = 0;
    // The page's job on the whole list; true when the list is to be emptied.
    virtual PageJobResult ShredTargets(const std::vector<win::FsPath>& paths) = 0;
    virtual bool ScheduleTargets(const std::vector<win::FsPath>& paths) = 0;

    PageServices services_;
    TargetList targets_;

private:
    void OnRemoveItem();
    void OnRemoveAll();
    void OnShredNow();
    void OnSchedule();

    Layout layout_;
};
