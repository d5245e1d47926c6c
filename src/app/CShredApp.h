#pragma once
// The application object: owns everything that lives for the whole process
// and runs start-up and shut-down. The engine gets its parts by reference.
#include <string>

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"
#include "app/Clock.h"
#include "app/CommandLine.h"
#include "app/CommandLineJob.h"
#include "app/EngineState.h"
#include "app/FileActivityLog.h"
#include "app/MachineFacts.h"
#include "app/SettingsStore.h"
#include "engine/DialogInteraction.h"
#include "engine/EngineContext.h"
#include "engine/FileShredder.h"
#include "engine/FolderShredder.h"
#include "lang/LanguagePack.h"

class CShredApp {
public:
    CShredApp();
    CShredApp(const CShredApp&) = delete;
    CShredApp& operator=(const CShredApp&) = delete;

    // commandLine: the text after the program name. False ends the program.
    bool InitInstance(const std::string& commandLine);
    int ExitInstance();

private:
    void LoadAlgorithms();
    void ShowStartupError(int messageId);

    MachineFacts machine_;
    SettingsStore settings_;
    LanguagePack texts_;
    std::string programCaption_ = "Vantrel";
    int methodIndex_ = 0;
    AlgorithmList algorithms_;
    WriteBuffer buffer_;
    EngineState state_;
    FileActivityLog log_;
    SystemClock clock_;
    DialogInteraction ui_;
    EngineContext context_;
    FileShredder files_;
    FolderShredder folders_;
    CommandLine commandLine_;
    TargetWordJobs wordJobs_;
    bool comInitialised_ = false;
};
