#pragma once
// The parts of the program that the Shred Files and Shred Folders pages work
// with. The main window builds them from the application object; a test
// builds them from an engine of its own with scripted answers.
#include "engine/EngineContext.h"

class CShredApp;
class FileShredder;
class FolderShredder;
class ScheduleRequests;
class SkinEngine;
namespace win {
class DialogLook;
}

class ShredJob;

struct PageServices {
    EngineContext& context;
    ShredJob& jobs;
    FileShredder& files;
    FolderShredder& folders;
    SkinEngine& skin;
    const int& methodIndex;
    // None while task creation is not wired: Schedule then stays disabled.
    ScheduleRequests* schedule;
    // The program's dialog colours for the dialogs a page opens; none: the system's.
    const win::DialogLook* look = nullptr;
};

PageServices PageServicesOf(CShredApp& app, ScheduleRequests* schedule);
