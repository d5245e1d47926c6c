#pragma once
// The pass model: an algorithm is an ordered list of passes.
#include <cstdint>
#include <string>
#include <vector>

// Stored as a 32-bit number; every value other than 0 and 1 counts as Pattern.
enum PassKind : int32_t {
    Complement = 0,  // the bitwise complement of what the previous pass wrote
    Random = 1,      // pseudo-random bytes
    Pattern = 2,     // a fixed byte pattern, repeated
};

struct ShredPass {
    // Empty for Random and Complement, and for a pattern pass without bytes.
    std::vector<uint8_t> pattern;
    PassKind kind = Pattern;

    static ShredPass MakePattern(std::vector<uint8_t> bytes) { return ShredPass{std::move(bytes), Pattern}; }
    static ShredPass MakeRandom() { return ShredPass{{}, Random}; }
    static ShredPass MakeComplement() { return ShredPass{{}, Complement}; }

    bool IsRandom() const { return kind == Random; }
    bool IsComplement() const { return kind == Complement; }
    bool IsPattern() const { return !IsRandom() && !IsComplement(); }
};

struct ShredAlgorithm {
    std::string name;
    std::string description;
    std::vector<ShredPass> passes;
    bool isCustom = false;

    int32_t passCount() const { return static_cast<int32_t>(passes.size()); }
};
