#include "ui/PageServices.h"

#include "app/CShredApp.h"

PageServices PageServicesOf(CShredApp& app, ScheduleRequests* schedule) {
    return PageServices{app.context(), app.jobs(), app.files(), app.folders(), app.skin(),
                        app.methodIndex(), schedule, &app.look()};
}
