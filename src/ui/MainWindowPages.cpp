#include "ui/MainWindowPages.h"

#include "res/resource.h"
#include "ui/CMyPropertyPage4.h"
#include "ui/PlaceholderPage.h"

// Each page that is still a placeholder is replaced here by its own class
// as it lands, in the same position.
std::vector<std::unique_ptr<win::PropertyPage>> MakeMainWindowPages(CShredApp& app, ScheduleRequests& schedule) {
    std::vector<std::unique_ptr<win::PropertyPage>> pages;
    pages.push_back(std::make_unique<PlaceholderPage>(IDD_PAGE_OPTIONS));         // 0 CMyPropertyPage1
    pages.push_back(std::make_unique<PlaceholderPage>(IDD_PAGE_FILES));           // 1 CMyPropertyPage2
    pages.push_back(std::make_unique<PlaceholderPage>(IDD_PAGE_FOLDERS));         // 2 CMyPropertyPage3
    pages.push_back(std::make_unique<CMyPropertyPage4>(app, schedule));           // 3
    pages.push_back(std::make_unique<PlaceholderPage>(IDD_PAGE_RECYCLE_BIN));     // 4 CMyPropertyPage5
    pages.push_back(std::make_unique<PlaceholderPage>(IDD_PAGE_SCHEDULER));       // 5 CMyPropertyPage6
    pages.push_back(std::make_unique<PlaceholderPage>(IDD_PAGE_RESTORE_POINTS));  // 6 CMyPropertyPage7
    pages.push_back(std::make_unique<PlaceholderPage>(IDD_PAGE_ABOUT));           // 7 CAboutDlg
    return pages;
}
