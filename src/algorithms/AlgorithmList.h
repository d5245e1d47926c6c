#pragma once
// The process-wide list of algorithms, addressed by position everywhere:
// the five built-ins at 0..4, stored algorithms from 5 on.
#include <cstddef>
#include <memory>
#include <vector>

#include "algorithms/ShredAlgorithm.h"

class AlgorithmList {
public:
    void AddBuiltInAlgorithms();
    void Append(ShredAlgorithm algorithm);
    // The algorithms behind position move down by one.
    void Remove(size_t position);
    void Replace(size_t position, ShredAlgorithm algorithm);

    size_t count() const { return entries_.size(); }
    const ShredAlgorithm& at(size_t position) const { return *entries_.at(position); }
    ShredAlgorithm& at(size_t position) { return *entries_.at(position); }
    // A stored position beyond the list (a "Method" setting or an "/O" value)
    // falls back to the first algorithm rather than reading past the end.
    const ShredAlgorithm& AtOrFirst(long long position) const;

    static constexpr size_t kBuiltInCount = 5;

private:
    std::vector<std::unique_ptr<ShredAlgorithm>> entries_;
};
