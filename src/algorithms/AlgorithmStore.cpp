#include "algorithms/AlgorithmStore.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "algorithms/StoredPassFormat.h"
#include "win/UniqueResource.h"

using namespace stored_format;

namespace {

const char kDescriptionValue[] = "Description";
const char kPassesCountValue[] = "PassesCount";
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

bool ReadAlgorithm(HKEY algorithms, const std::string& name, ShredAlgorithm& algorithm) {
    win::UniqueRegKey key = OpenKey(algorithms, name);
    if (!key) return false;
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

// Only what loading would accept again, so a save never leaves a key that
// silently disappears at the next start.
bool IsLoadable(const ShredAlgorithm& algorithm) {
    if (algorithm.passes.empty() || algorithm.passes.size() > static_cast<size_t>(kMaxPasses)) return false;
    for (const ShredPass& pass : algorithm.passes) {
        if (pass.IsPattern() &&
            (pass.pattern.empty() || pass.pattern.size() > static_cast<size_t>(kMaxPatternLength)))
            return false;
    }
    return true;
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

}  // namespace

AlgorithmStore::AlgorithmStore(std::string productKey) : productKey_(std::move(productKey)) {}

bool AlgorithmStore::EnsureProductKey() const { return CreateKey(HKEY_CURRENT_USER, productKey_).Valid(); }

void AlgorithmStore::LoadCustomAlgorithms(AlgorithmList& list) const {
    win::UniqueRegKey algorithms = OpenKey(HKEY_CURRENT_USER, algorithmsKey());
    if (!algorithms) return;
    ForEachSubkeyName(algorithms.Get(), [&](const std::string& name) {
        ShredAlgorithm algorithm;
        if (ReadAlgorithm(algorithms.Get(), name, algorithm)) list.Append(std::move(algorithm));
        return true;
    });
}

bool AlgorithmStore::SaveAlgorithm(const ShredAlgorithm& algorithm) const {
    if (!IsStorableName(algorithm.name) || !IsLoadable(algorithm)) return false;
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
    DeleteOutcome outcome = DeleteOutcome::NotFound;
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
