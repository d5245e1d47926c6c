#include "algorithms/AlgorithmEditing.h"

#include <windows.h>

#include "algorithms/PassText.h"

namespace {

std::string Upper(std::string text) {
    if (!text.empty()) ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

bool AlgorithmEditing::PatternsValid(const EditedAlgorithm& edited) {
    for (const std::string& row : edited.rows)
        if (!pass_text::IsValidRow(row)) return false;
    return true;
}

EditCheck AlgorithmEditing::Check(const EditedAlgorithm& edited) const {
    if (!PatternsValid(edited)) return EditCheck::BadPattern;
    if (edited.name.empty()) return EditCheck::EmptyName;
    if (!AlgorithmStore::IsSavableName(edited.name)) return EditCheck::NameNotSavable;
    for (size_t i = 0; i < list_.count(); ++i) {
        if (static_cast<int32_t>(i) == edited.editedIndex) continue;
        const ShredAlgorithm& other = list_.at(i);
        if (other.name == edited.name) return EditCheck::NameTaken;
        // Built-ins have no key, so only stored names can meet in the registry.
        if (other.isCustom && Upper(other.name) == Upper(edited.name)) return EditCheck::NameTakenOtherCase;
    }
    if (edited.description.empty()) return EditCheck::EmptyDescription;
    if (!AlgorithmStore::ArePassesSavable(Build(edited).passes)) return EditCheck::PassesNotSavable;
    return EditCheck::Ok;
}

ShredAlgorithm AlgorithmEditing::Build(const EditedAlgorithm& edited) {
    ShredAlgorithm algorithm;
    // Whole: Check answered for this name, and a stored name may be longer than can be typed.
    algorithm.name = edited.name;
    algorithm.description = edited.description.substr(0, kDescriptionLimit);
    for (const std::string& row : edited.rows) algorithm.passes.push_back(pass_text::ToPass(row));
    algorithm.isCustom = true;
    return algorithm;
}

bool AlgorithmEditing::Save(const EditedAlgorithm& edited) {
    const bool isEdit = edited.editedIndex >= 0 && static_cast<size_t>(edited.editedIndex) < list_.count();
    ShredAlgorithm algorithm = Build(edited);
    const size_t position = isEdit ? static_cast<size_t>(edited.editedIndex) : list_.count();
    const std::string replaced = isEdit ? list_.at(position).name : std::string();
    if (!store_.SaveAlgorithmAt(algorithm, position, replaced)) return false;
    if (isEdit)
        list_.Replace(position, std::move(algorithm));
    else
        list_.Append(std::move(algorithm));
    return true;
}

AlgorithmStore::DeleteOutcome AlgorithmEditing::Delete(size_t position) {
    if (position >= list_.count() || !list_.at(position).isCustom) return AlgorithmStore::DeleteOutcome::NotFound;
    const AlgorithmStore::DeleteOutcome outcome = store_.DeleteAlgorithmKey(list_, position);
    if (outcome != AlgorithmStore::DeleteOutcome::Deleted) return outcome;
    list_.Remove(position);
    store_.WriteOrders(list_);
    return outcome;
}

int32_t PositionMove::AfterRemoval(int32_t position, int32_t removed) {
    if (position == removed) return -1;
    return position > removed ? position - 1 : position;
}

std::map<int32_t, int32_t> PositionMove::MovedOnLoad(const std::vector<int32_t>& previous) {
    std::map<int32_t, int32_t> moves;
    for (size_t i = 0; i < previous.size(); ++i) {
        const int32_t now = static_cast<int32_t>(AlgorithmList::kBuiltInCount + i);
        if (previous[i] >= static_cast<int32_t>(AlgorithmList::kBuiltInCount) && previous[i] != now)
            moves[previous[i]] = now;
    }
    return moves;
}

int32_t PositionMove::Through(const std::map<int32_t, int32_t>& moves, int32_t position) {
    const auto found = moves.find(position);
    return found == moves.end() ? position : found->second;
}
