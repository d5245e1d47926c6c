#include "support/TestEngine.h"

TestEngine::TestEngine(const std::string& programFolder)
    : texts(programFolder, "English"),
      context{algorithms, buffer, state, settings, texts, caption, log, ui, clock, machine, streams} {
    algorithms.AddBuiltInAlgorithms();
    buffer.Allocate();
    machine.programFolder = programFolder;
    machine.kernel.Load();
}
