// Shreds one file the way a silent run does, with the real progress dialog,
// and prints every logged message. Used by the image test and the benchmark:
//   shred_tool <algorithm position> <confirm|noconfirm|contents> <path>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"
#include "engine/ActivityLog.h"
#include "win/WideText.h"
#include "engine/Clock.h"
#include "engine/EngineState.h"
#include "engine/MachineFacts.h"
#include "engine/SettingsStore.h"
#include "engine/DialogInteraction.h"
#include "engine/FileShredder.h"
#include "engine/ProgressControl.h"
#include "lang/LanguagePack.h"

namespace {

class PrintingLog final : public ActivityLog {
public:
    void Write(const std::string& text) override {
        last_ = text;
        std::printf("LOG: %s\n", text.c_str());
        std::fflush(stdout);
    }
    void WriteTaskNameLine(const std::string& name) override { std::printf("TASK: %s\n", name.c_str()); }
    void Note(const std::string& text) override { std::printf("NOTE: %s\n", text.c_str()); }
    // Printed as UTF-8, as the Linux side reads it.
    void Write(const std::wstring& text) override { Write(win::ToUtf8(text)); }
    void WriteTaskNameLine(const std::wstring& name) override { WriteTaskNameLine(win::ToUtf8(name)); }
    void Note(const std::wstring& text) override { Note(win::ToUtf8(text)); }
    const std::string& logText() const override { return last_; }

private:
    std::string last_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: shred_tool <algorithm> <confirm|noconfirm|contents> <path>\n");
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
    SettingsStore settings;
    MachineFacts machine;
    LanguagePack texts(machine.programFolder, "English");
    const std::string caption = "Vantrel";
    PrintingLog log;
    SystemClock clock;
    DialogInteraction ui(state, texts, caption);
    EngineContext context{algorithms, buffer, state, settings, texts, caption, log, ui, clock, machine};
    FileShredder shredder(context);

    const int result = shredder.ShredFile(argv[3], mode);
    CloseProgressDialog(context);
    std::printf("RESULT: %d\n", result);
    return result;
}
