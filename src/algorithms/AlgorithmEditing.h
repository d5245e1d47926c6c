#pragma once
// What the editor and the Options page do to the algorithm list and the
// store, without their windows: checking and saving an edited algorithm,
// deleting one, and what a deletion does to the positions behind it.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "algorithms/AlgorithmList.h"
#include "algorithms/AlgorithmStore.h"
#include "algorithms/StoredPassFormat.h"

struct EditedAlgorithm {
    int32_t editedIndex = -1;  // position in the list, -1 for a new algorithm
    std::string name;
    std::string description;
    std::vector<std::string> rows;  // the pass list's texts, in order
};

// In the order the checks run; the first that fails is the answer.
enum class EditCheck {
    Ok,
    BadPattern,        // a row outside 0-9, A-F and spaces
    EmptyName,
    NameNotSavable,    // a name the store cannot take (AlgorithmStore::IsSavableName)
    NameTaken,         // the same name, letter case included
    NameTakenOtherCase,  // a stored algorithm's name in other letter case: one registry key
    EmptyDescription,
    PassesNotSavable,  // none, more than 1000, or a pattern longer than the store takes
};

class AlgorithmEditing {
public:
    static constexpr size_t kNameLimit = 30;  // what the name field takes from the keyboard
    static constexpr size_t kDescriptionLimit = 199;
    // Two digits a byte of the longest pattern the store takes: every stored
    // pattern fits the field whole, and nothing typed there is too long to store.
    static constexpr size_t kPatternDigitLimit = 2 * static_cast<size_t>(stored_format::kMaxPatternLength);

    AlgorithmEditing(AlgorithmList& list, const AlgorithmStore& store) : list_(list), store_(store) {}

    // The pattern check alone comes before the fields are taken over.
    static bool PatternsValid(const EditedAlgorithm& edited);
    EditCheck Check(const EditedAlgorithm& edited) const;
    static ShredAlgorithm Build(const EditedAlgorithm& edited);
    // Writes the store first; only when that worked does the list change (a
    // new algorithm appended, an edited one replaced). False changes nothing.
    bool Save(const EditedAlgorithm& edited);

    // Removes the stored algorithm and, only when it was found and removed,
    // the list entry; the store's order is then written again for the
    // algorithms that moved down. NotFound and Failed change no position.
    AlgorithmStore::DeleteOutcome Delete(size_t position);

private:
    AlgorithmList& list_;
    const AlgorithmStore& store_;
};

// Where each position of a task's "/O" went after a list change: -1 when
// its algorithm is gone.
struct PositionMove {
    // After removing `removed`: later positions move down by one.
    static int32_t AfterRemoval(int32_t position, int32_t removed);
    // The positions that loading gave other numbers than they were stored
    // with (previous: the stored "Order" per loaded custom algorithm, -1 for
    // none), old -> new. Positions not in it keep their number.
    static std::map<int32_t, int32_t> MovedOnLoad(const std::vector<int32_t>& previous);
    static int32_t Through(const std::map<int32_t, int32_t>& moves, int32_t position);
};
