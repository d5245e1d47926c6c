#pragma once
// The eight pages of the main window, in tab order.
#include <memory>
#include <vector>

#include "win/PropertyPage.h"

class CShredApp;
class ScheduleRequests;

std::vector<std::unique_ptr<win::PropertyPage>> MakeMainWindowPages(CShredApp& app, ScheduleRequests& schedule);
