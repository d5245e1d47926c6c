#include "algorithms/AlgorithmStore.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "algorithms/StoredPassFormat.h"
#include "win/UniqueResource.h"

using namespace stored_format;

namespace {

const char kDescriptionValue[] = "Description";
const char kPassesCountValue[] = "PassesCount";
const char kOrderValue[] = "Order";
// Marks the key a save writes before it replaces an algorithm of the same key
// name; the value names the algorithm it is meant for.
const char kSavingForValue[] = "SavingFor";
const char kSavingPrefix[] = "~saving~";
// An "Order" beyond this is damage; the key is ordered like one without.
constexpr DWORD kMaxOrder = 1000000;
// The registry's own limit for one key name.
constexpr size_t kMaxKeyNameLength = 255;

// Calls visit with each subkey name in enumeration order until it answers false.
template <typename Visit>
void ForEachSubkeyName(HKEY parent, Visit visit) {
    DWORD longest = 0;
    if (::RegQueryInfoKeyA(parent, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<char> name(static_cast<size_t>(longest) + 1, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result = ::RegEnumKeyExA(parent, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        // A longer name added since the size was asked: leave that one out,
        // the keys behind it are still worth reading.
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) return;
        if (!visit(std::string(name.data(), length))) return;
    }
}

// Key names compare as the registry compares them: without regard to case.
bool SameKeyName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    std::string upperA = a, upperB = b;
    ::CharUpperBuffA(&upperA[0], static_cast<DWORD>(upperA.size()));
    ::CharUpperBuffA(&upperB[0], static_cast<DWORD>(upperB.size()));
    return upperA == upperB;
}

int32_t ReadOrder(HKEY key) {
    DWORD order = 0;
    if (!ReadDword(key, kOrderValue, order) || order > kMaxOrder) return -1;
    return static_cast<int32_t>(order);
}

bool ReadAlgorithm(HKEY algorithms, const std::string& name, ShredAlgorithm& algorithm, int32_t* order = nullptr) {
    win::UniqueRegKey key = OpenKey(algorithms, name);
    if (!key) return false;
    if (order != nullptr) *order = ReadOrder(key.Get());
    std::string description;
    DWORD storedCount = 0;
    if (!ReadText(key.Get(), kDescriptionValue, description) ||
        !ReadDword(key.Get(), kPassesCountValue, storedCount))
        return false;
    const int32_t count = static_cast<int32_t>(storedCount);
    if (count <= 0 || count > kMaxPasses) return false;
    if (description.size() > kMaxDescriptionLength) description.resize(kMaxDescriptionLength);

    std::vector<ShredPass> passes(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        if (!ReadPass(key.Get(), i, passes[static_cast<size_t>(i)])) return false;
    }
    algorithm.name = name;
    algorithm.description = std::move(description);
    algorithm.passes = std::move(passes);
    algorithm.isCustom = true;
    return true;
}

bool IsStorableName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxKeyNameLength && name.find('\\') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// shlwapi is not among the libraries the program links, and every Windows
// the program runs on has it, so it is looked up when a delete needs it.
LONG DeleteKeyWithSubkeys(HKEY parent, const std::string& name) {
    win::UniqueModule shlwapi(::LoadLibraryA("shlwapi.dll"));
    if (!shlwapi) return ERROR_MOD_NOT_FOUND;
    using Function = DWORD(WINAPI*)(HKEY, LPCSTR);
    const auto deleteKey =
        reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(shlwapi.Get(), "SHDeleteKeyA")));
    if (deleteKey == nullptr) return ERROR_PROC_NOT_FOUND;
    return static_cast<LONG>(deleteKey(parent, name.c_str()));
}

// Removes a key that may not exist; true when it is gone afterwards.
bool DeleteIfPresent(HKEY parent, const std::string& name) {
    const LONG result = DeleteKeyWithSubkeys(parent, name);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool IsSaveInProgressKey(HKEY parent, const std::string& name, std::string* savingFor = nullptr) {
    win::UniqueRegKey key = OpenKey(parent, name);
    std::string target;
    if (!key || !ReadText(key.Get(), kSavingForValue, target)) return false;
    if (savingFor != nullptr) *savingFor = target;
    return true;
}

// A key of its own for the algorithm, nothing of an earlier key of that name
// left in it. The marker goes first, so a half-written copy is known as one.
bool WriteFreshKey(HKEY algorithms, const std::string& keyName, const ShredAlgorithm& algorithm, int32_t order,
                   const std::string& savingFor) {
    if (!DeleteIfPresent(algorithms, keyName)) return false;
    win::UniqueRegKey key = CreateKey(algorithms, keyName);
    if (!key) return false;
    if (!savingFor.empty() && !WriteText(key.Get(), kSavingForValue, savingFor)) return false;
    const std::string description = algorithm.description.substr(0, kMaxDescriptionLength);
    if (!WriteText(key.Get(), kDescriptionValue, description) ||
        !WriteDword(key.Get(), kPassesCountValue, static_cast<DWORD>(algorithm.passes.size())) ||
        !WriteDword(key.Get(), kOrderValue, static_cast<DWORD>(order)))
        return false;
    for (size_t i = 0; i < algorithm.passes.size(); ++i) {
        if (!WritePass(key.Get(), static_cast<int32_t>(i), algorithm.passes[i])) return false;
    }
    return true;
}

}  // namespace

AlgorithmStore::AlgorithmStore(std::string productKey) : productKey_(std::move(productKey)) {}

bool AlgorithmStore::IsSavableName(const std::string& name) {
    static_assert(kMaxNameLength + sizeof(kSavingPrefix) - 1 == kMaxKeyNameLength, "the copy's name fits a key");
    if (!IsStorableName(name) || name.size() > kMaxNameLength) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 0x20 || code == 0x7F;
    });
}

// Only what loading would accept again, so a save never leaves a key that
// silently disappears at the next start.
bool AlgorithmStore::ArePassesSavable(const std::vector<ShredPass>& passes) {
    if (passes.empty() || passes.size() > static_cast<size_t>(kMaxPasses)) return false;
    for (const ShredPass& pass : passes) {
        if (pass.IsPattern() &&
            (pass.pattern.empty() || pass.pattern.size() > static_cast<size_t>(kMaxPatternLength)))
            return false;
    }
    return true;
}

bool AlgorithmStore::EnsureProductKey() const { return CreateKey(HKEY_CURRENT_USER, productKey_).Valid(); }

void AlgorithmStore::LoadCustomAlgorithms(AlgorithmList& list, std::vector<int32_t>* previousPositions) const {
    win::UniqueRegKey algorithms = OpenKey(HKEY_CURRENT_USER, algorithmsKey());
    if (!algorithms) return;
    struct Loaded {
        ShredAlgorithm algorithm;
        int32_t order;
    };
    std::vector<Loaded> loaded;
    std::vector<std::pair<std::string, std::string>> interrupted;  // copy's key, algorithm it was for
    ForEachSubkeyName(algorithms.Get(), [&](const std::string& name) {
        std::string savingFor;
        if (IsSaveInProgressKey(algorithms.Get(), name, &savingFor)) {
            interrupted.emplace_back(name, savingFor);
            return true;
        }
        Loaded entry{{}, -1};
        if (ReadAlgorithm(algorithms.Get(), name, entry.algorithm, &entry.order)) loaded.push_back(std::move(entry));
        return true;
    });
    // A save stopped between removing the old key and writing the new one
    // left its complete copy: that is the algorithm's latest version.
    for (const auto& copy : interrupted) {
        const bool present = std::any_of(loaded.begin(), loaded.end(), [&](const Loaded& entry) {
            return SameKeyName(entry.algorithm.name, copy.second);
        });
        Loaded entry{{}, -1};
        if (present || !IsStorableName(copy.second) ||
            !ReadAlgorithm(algorithms.Get(), copy.first, entry.algorithm, &entry.order))
            continue;
        entry.algorithm.name = copy.second;
        loaded.push_back(std::move(entry));
    }
    std::stable_sort(loaded.begin(), loaded.end(), [](const Loaded& a, const Loaded& b) {
        const int64_t keyA = a.order < 0 ? INT64_MAX : a.order;
        const int64_t keyB = b.order < 0 ? INT64_MAX : b.order;
        return keyA < keyB;
    });
    for (Loaded& entry : loaded) {
        if (previousPositions != nullptr) previousPositions->push_back(entry.order);
        list.Append(std::move(entry.algorithm));
    }
}

bool AlgorithmStore::SaveAlgorithmAt(const ShredAlgorithm& algorithm, size_t position,
                                     const std::string& replacedName) const {
    if (!IsSavableName(algorithm.name) || !ArePassesSavable(algorithm.passes) || position > kMaxOrder) return false;
    win::UniqueRegKey product = OpenKey(HKEY_CURRENT_USER, productKey_);
    if (!product) return false;
    win::UniqueRegKey algorithms = CreateKey(product.Get(), "Algorithms");
    if (!algorithms) return false;
    const HKEY parent = algorithms.Get();
    const int32_t order = static_cast<int32_t>(position);

    if (replacedName.empty() || !SameKeyName(replacedName, algorithm.name)) {
        // A key of a name no algorithm of the list has: the old key goes only
        // once the new one is complete.
        if (!WriteFreshKey(parent, algorithm.name, algorithm, order, std::string())) {
            DeleteIfPresent(parent, algorithm.name);
            return false;
        }
        if (!replacedName.empty() && !DeleteIfPresent(parent, replacedName)) {
            DeleteIfPresent(parent, algorithm.name);
            return false;
        }
        return true;
    }

    // The same key name: a complete copy first, then the old key goes and the
    // new one is written fresh. Stopped in between, the copy remains and the
    // next start loads it.
    const std::string copyName = kSavingPrefix + algorithm.name;
    win::UniqueRegKey existing = OpenKey(parent, copyName);
    if (existing && !IsSaveInProgressKey(parent, copyName)) return false;  // a user's algorithm of that name
    existing.Reset();
    if (!WriteFreshKey(parent, copyName, algorithm, order, algorithm.name)) {
        DeleteIfPresent(parent, copyName);
        return false;
    }
    if (!DeleteIfPresent(parent, replacedName)) {
        DeleteIfPresent(parent, copyName);
        return false;
    }
    if (!WriteFreshKey(parent, algorithm.name, algorithm, order, std::string())) {
        DeleteIfPresent(parent, algorithm.name);
        return false;
    }
    DeleteIfPresent(parent, copyName);
    return true;
}

bool AlgorithmStore::WriteOrders(const AlgorithmList& list) const {
    win::UniqueRegKey algorithms = OpenKey(HKEY_CURRENT_USER, algorithmsKey());
    bool written = true;
    for (size_t position = 0; position < list.count(); ++position) {
        if (!list.at(position).isCustom) continue;
        win::UniqueRegKey key = algorithms ? OpenKey(algorithms.Get(), list.at(position).name) : win::UniqueRegKey();
        if (!key || !WriteDword(key.Get(), kOrderValue, static_cast<DWORD>(position))) written = false;
    }
    return written;
}

bool AlgorithmStore::SaveAlgorithm(const ShredAlgorithm& algorithm) const {
    if (!IsStorableName(algorithm.name) || !ArePassesSavable(algorithm.passes)) return false;
    win::UniqueRegKey product = OpenKey(HKEY_CURRENT_USER, productKey_);
    if (!product) return false;
    win::UniqueRegKey algorithms = CreateKey(product.Get(), "Algorithms");
    if (!algorithms) return false;
    win::UniqueRegKey key = CreateKey(algorithms.Get(), algorithm.name);
    if (!key) return false;
    const std::string description = algorithm.description.substr(0, kMaxDescriptionLength);
    if (!WriteText(key.Get(), kDescriptionValue, description) ||
        !WriteDword(key.Get(), kPassesCountValue, static_cast<DWORD>(algorithm.passes.size())))
        return false;
    for (size_t i = 0; i < algorithm.passes.size(); ++i) {
        if (!WritePass(key.Get(), static_cast<int32_t>(i), algorithm.passes[i])) return false;
    }
    return true;
}

AlgorithmStore::DeleteOutcome AlgorithmStore::DeleteAlgorithmKey(const AlgorithmList& list, size_t index) const {
    if (index >= list.count()) return DeleteOutcome::NotFound;
    const std::string& target = list.at(index).name;
    win::UniqueRegKey algorithms = OpenKey(HKEY_CURRENT_USER, algorithmsKey());
    if (!algorithms) return DeleteOutcome::NotFound;
    // The copy a stopped save left goes too: the algorithm may have been
    // loaded from it, and left behind it would load again at the next start.
    // It goes first, so a key that then cannot be removed still holds what
    // the list shows.
    DeleteOutcome outcome = DeleteOutcome::NotFound;
    const std::string copyName = kSavingPrefix + target;
    std::string savingFor;
    if (IsStorableName(copyName) && IsSaveInProgressKey(algorithms.Get(), copyName, &savingFor) &&
        SameKeyName(savingFor, target)) {
        if (DeleteKeyWithSubkeys(algorithms.Get(), copyName) != ERROR_SUCCESS) return DeleteOutcome::Failed;
        outcome = DeleteOutcome::Deleted;
    }
    ForEachSubkeyName(algorithms.Get(), [&](const std::string& name) {
        // Key names ignore case, but the list shows names as stored: only the
        // exact one is the algorithm the user picked.
        if (name != target) return true;
        outcome = DeleteKeyWithSubkeys(algorithms.Get(), name) == ERROR_SUCCESS ? DeleteOutcome::Deleted
                                                                                 : DeleteOutcome::Failed;
        return false;
    });
    return outcome;
}
