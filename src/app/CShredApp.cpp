#include "app/CShredApp.h"

#include <windows.h>
#include <objbase.h>

#include "app/MachineProbe.h"

CShredApp::CShredApp()
    : texts_("", "English"),
      log_(""),
      ui_(state_, texts_),
      context_{algorithms_, buffer_, state_, settings_, texts_, programCaption_, log_, ui_, clock_, machine_},
      files_(context_),
      folders_(context_, files_),
      commandLine_(state_, log_) {}

void CShredApp::LoadAlgorithms() { algorithms_.AddBuiltInAlgorithms(); }

void CShredApp::ShowStartupError(int messageId) {
    ::MessageBoxA(nullptr, texts_.Text(messageId).c_str(), programCaption_.c_str(), MB_OK | MB_ICONERROR);
}

bool CShredApp::InitInstance(const std::string& commandLine) {
    machine_.programFolder = ProgramFolder();
    texts_ = LanguagePack(machine_.programFolder, settings_.ReadString("Language", "English"));
    log_.SetProgramFolder(machine_.programFolder);
    methodIndex_ = settings_.ReadInt("Method", 0);
    LoadAlgorithms();
    commandLine_.ParseCommandLine(commandLine);

    programCaption_ = texts_.GetLangText("9610", "Vantrel").substr(0, LanguagePack::kCaptionLimit);
    if (!buffer_.Allocate()) {
        ShowStartupError(9006);
        return false;
    }
    if (FAILED(::CoInitialize(nullptr))) {
        ShowStartupError(9007);
        ::ExitProcess(1);
    }
    comInitialised_ = true;
    LoadProtectedFolders(machine_);
    QueryFixedDriveRoots(machine_);

    if (!commandLine_.targets().empty()) {
        CommandLineJob job(context_, folders_, wordJobs_);
        job.RunCommandLineJob(commandLine_.targets(), methodIndex_);
    }
    // The windowed program is not built yet: either road ends here.
    return false;
}

int CShredApp::ExitInstance() {
    ui_.CloseProgress();
    // A silent run that logged nothing ends with its record of success.
    if (state_.runMode && log_.logText().empty()) log_.Write("Success");
    if (comInitialised_) ::CoUninitialize();
    return 0;
}
