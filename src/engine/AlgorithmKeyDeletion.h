#pragma once
// Removing a user's algorithm from the registry as the editor and the Options
// page do it: a key that cannot be deleted is told, a missing one is not.
#include <cstddef>
#include <string>

#include "algorithms/AlgorithmStore.h"

class LanguagePack;
class UserInteraction;

AlgorithmStore::DeleteOutcome DeleteAlgorithmKeyReported(const AlgorithmStore& store, const AlgorithmList& list,
                                                         size_t index, UserInteraction& ui,
                                                         const LanguagePack& texts, const std::string& caption);
