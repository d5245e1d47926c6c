#pragma once
// User-defined algorithms in the current user's registry, one key per
// algorithm under the product key's "Algorithms" key, one subkey per pass.
#include <cstddef>
#include <string>

#include "algorithms/AlgorithmList.h"
#include "algorithms/ShredAlgorithm.h"

class AlgorithmStore {
public:
    // productKey: under HKEY_CURRENT_USER; the algorithms live in productKey + "\\Algorithms".
    explicit AlgorithmStore(std::string productKey = "Software\\Vantrel");

    // Start-up makes sure saving can work later; true when the key exists afterwards.
    bool EnsureProductKey() const;

    // Appends every readable stored algorithm (isCustom set) in registry
    // enumeration order; a damaged one is left out silently.
    void LoadCustomAlgorithms(AlgorithmList& list) const;

    // False at the first failure; values written before it stay. The product
    // key is only opened, never created.
    bool SaveAlgorithm(const ShredAlgorithm& algorithm) const;

    enum class DeleteOutcome { Deleted, NotFound, Failed };
    // Removes the key named exactly (case included) like list.at(index), with
    // its pass subkeys. The list itself is left to the caller.
    DeleteOutcome DeleteAlgorithmKey(const AlgorithmList& list, size_t index) const;

private:
    std::string algorithmsKey() const { return productKey_ + "\\Algorithms"; }

    std::string productKey_;
};
