#pragma once
// User-defined algorithms in the current user's registry, one key per
// algorithm under the product key's "Algorithms" key, one subkey per pass.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "algorithms/AlgorithmList.h"
#include "algorithms/ShredAlgorithm.h"

class AlgorithmStore {
public:
    // productKey: under HKEY_CURRENT_USER; the algorithms live in productKey + "\\Algorithms".
    explicit AlgorithmStore(std::string productKey = "Software\\Vantrel");

    // Start-up makes sure saving can work later; true when the key exists afterwards.
    bool EnsureProductKey() const;

    // Appends every readable stored algorithm (isCustom set), ordered by
    // their "Order" values, which hold the positions they had when last
    // written; keys without one (older stores) follow in registry
    // enumeration order. A damaged one is left out silently. previousPositions
    // receives, per appended algorithm, its stored "Order" or -1.
    void LoadCustomAlgorithms(AlgorithmList& list, std::vector<int32_t>* previousPositions = nullptr) const;

    // False at the first failure; values written before it stay. The product
    // key is only opened, never created.
    bool SaveAlgorithm(const ShredAlgorithm& algorithm) const;

    // A name SaveAlgorithmAt takes: one key name, and saved again under
    // itself, the name of the copy written first ("~saving~" and the name,
    // within the registry's 255 characters). Not empty, no backslash (the
    // registry's separator) and no control character (key names are
    // printable); spaces at either end are kept by the registry as they are.
    static constexpr size_t kMaxNameLength = 247;
    static bool IsSavableName(const std::string& name);
    // Passes loading takes again: 1 to 1000, patterns of 1 to 65536 bytes.
    static bool ArePassesSavable(const std::vector<ShredPass>& passes);

    // The editor's save: the algorithm at list position `position`, replacing
    // the one stored as replacedName (empty for a new one). Writes a fresh key
    // first and removes the old one only afterwards, so a failure leaves the
    // store as it was and a save never keeps pass subkeys of an older version.
    // Refuses what IsSavableName and ArePassesSavable refuse.
    bool SaveAlgorithmAt(const ShredAlgorithm& algorithm, size_t position,
                         const std::string& replacedName = std::string()) const;
    // Writes every custom algorithm's position as its "Order" value; false
    // when one could not be written.
    bool WriteOrders(const AlgorithmList& list) const;

    enum class DeleteOutcome { Deleted, NotFound, Failed };
    // Removes the key named exactly (case included) like list.at(index), with
    // its pass subkeys, and the copy an interrupted save left for it
    // ("~saving~<name>" marked for that name). Deleted when either was there;
    // NotFound when neither. The list itself is left to the caller.
    DeleteOutcome DeleteAlgorithmKey(const AlgorithmList& list, size_t index) const;

private:
    std::string algorithmsKey() const { return productKey_ + "\\Algorithms"; }

    std::string productKey_;
};
