#include "engine/AlgorithmKeyDeletion.h"

#include <windows.h>

#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"

AlgorithmStore::DeleteOutcome DeleteAlgorithmKeyReported(const AlgorithmStore& store, const AlgorithmList& list,
                                                         size_t index, UserInteraction& ui,
                                                         const LanguagePack& texts, const std::string& caption) {
    const AlgorithmStore::DeleteOutcome outcome = store.DeleteAlgorithmKey(list, index);
    if (outcome == AlgorithmStore::DeleteOutcome::Failed) ui.ShowMessage(texts.Text(9080), caption, MB_OK | MB_ICONERROR);
    return outcome;
}
