#include "ui/MainWindowPages.h"

#include "res/resource.h"
#include "ui/CMyPropertyPage1.h"
#include "ui/CMyPropertyPage2.h"
#include "ui/CMyPropertyPage3.h"
#include "ui/CMyPropertyPage4.h"
#include "ui/CMyPropertyPage5.h"
#include "ui/CMyPropertyPage6.h"
#include "ui/CMyPropertyPage7.h"
#include "ui/PageServices.h"
#include "ui/CAboutDlg.h"

// The pages of the main window in tab order.
std::vector<std::unique_ptr<win::PropertyPage>> MakeMainWindowPages(CShredApp& app, ScheduleRequests& schedule) {
    std::vector<std::unique_ptr<win::PropertyPage>> pages;
    pages.push_back(std::make_unique<CMyPropertyPage1>(app));                     // 0
    pages.push_back(std::make_unique<CMyPropertyPage2>(PageServicesOf(app, &schedule)));  // 1
    pages.push_back(std::make_unique<CMyPropertyPage3>(PageServicesOf(app, &schedule)));  // 2
    pages.push_back(std::make_unique<CMyPropertyPage4>(app, schedule));           // 3
    pages.push_back(std::make_unique<CMyPropertyPage5>(app, schedule));           // 4
    pages.push_back(std::make_unique<CMyPropertyPage6>(app));                     // 5
    pages.push_back(std::make_unique<CMyPropertyPage7>(app, schedule));           // 6
    pages.push_back(std::make_unique<CAboutDlg>(app));                            // 7
    return pages;
}
