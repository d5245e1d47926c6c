// Shreds one file the way a silent run does, with the real progress dialog,
// and prints every logged message. Used by the image test and the benchmark:
//   shred_tool <algorithm position> <confirm|noconfirm|contents> <path> [verify]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"
#include "engine/SystemStreamLister.h"
#include "engine/ActivityLog.h"
#include "engine/Clock.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/DialogInteraction.h"
#include "engine/FileShredder.h"
#include "engine/ProgressControl.h"
#include "lang/LanguagePack.h"
#include "win/WideText.h"

namespace {

class PrintingLog final : public ActivityLog {
public:
    void Write(const std::wstring& wide) override {
        const std::string text = win::ToUtf8(wide);
        last_ = wide;
        std::printf("LOG: %s\n", text.c_str());
        std::fflush(stdout);
    }
    void WriteTaskNameLine(const std::wstring& name) override { std::printf("TASK: %s\n", win::ToUtf8(name).c_str()); }
    void Note(const std::wstring& text) override { std::printf("NOTE: %s\n", win::ToUtf8(text).c_str()); }
    const std::wstring& logText() const override { return last_; }

private:
    std::wstring last_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 5 && std::string(argv[4]) == "verify")) {
        std::fprintf(stderr, "usage: shred_tool <algorithm> <confirm|noconfirm|contents> <path> [verify]\n");
        return 2;
    }
    const std::string modeName = argv[2];
    const ShredFileMode mode = modeName == "confirm"    ? ShredFileMode::Confirm
                               : modeName == "contents" ? ShredFileMode::ContentsOnly
                                                        : ShredFileMode::NoConfirm;
    AlgorithmList algorithms;
    algorithms.AddBuiltInAlgorithms();
    WriteBuffer buffer;
    if (!buffer.Allocate()) return 3;
    EngineState state;
    state.runMode = true;
    state.job.algorithm = std::atoi(argv[1]);
    state.job.verify = argc == 5;
    SettingsStore settings;
    MachineFacts machine;
    LanguagePack texts(machine.programFolder, "English");
    const std::string caption = "Vantrel";
    PrintingLog log;
    SystemClock clock;
    DialogInteraction ui(state, texts, caption);
    SystemStreamLister streams;
    EngineContext context{algorithms, buffer, state, settings, texts, caption, log, ui, clock, machine, streams};
    FileShredder shredder(context);

    const int result = shredder.ShredFile(argv[3], mode);
    CloseProgressDialog(context);
    std::printf("RESULT: %d\n", result);
    return result;
}
