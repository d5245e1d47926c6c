#include "algorithms/PassText.h"

#include <vector>

#include "algorithms/WriteBuffer.h"

namespace pass_text {

const char kRandom[] = "Write random data.";
const char kComplement[] = "Write complementary to previous pass pattern.";

namespace {

bool IsFixed(const std::string& text) { return text == kRandom || text == kComplement; }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

// Each digit counts 16 to the power of its distance from the group's end, in
// 8-bit arithmetic, so only the last two digits of a longer group matter.
uint8_t GroupValue(const std::string& group) {
    uint8_t value = 0;
    uint8_t weight = 1;
    for (size_t i = group.size(); i-- > 0;) {
        value = static_cast<uint8_t>(value + DigitValue(group[i]) * weight);
        weight = static_cast<uint8_t>(weight * 16);
    }
    return value;
}

}  // namespace

std::string FromTyped(const std::string& typed) {
    const std::string digits = typed.size() % 2 == 1 ? "0" + typed : typed;
    std::string text;
    for (size_t i = 0; i < digits.size(); i += 2) {
        if (i > 0) text += ' ';
        text += digits.substr(i, 2);
    }
    return text;
}

std::string FromPass(const ShredPass& pass) {
    if (pass.IsRandom()) return kRandom;
    if (pass.IsComplement()) return kComplement;
    std::string text;
    for (size_t i = pass.pattern.size(); i-- > 0;) {
        if (!text.empty()) text += ' ';
        text += ByteToHex(pass.pattern[i]);
    }
    return text;
}

std::string FieldText(const std::string& rowText) {
    std::string text;
    for (char c : rowText)
        if (c != ' ') text += c;
    return text;
}

bool IsValidRow(const std::string& rowText) {
    if (IsFixed(rowText)) return true;
    for (char c : rowText) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex && c != ' ') return false;
    }
    return true;
}

ShredPass ToPass(const std::string& rowText) {
    if (rowText == kRandom) return ShredPass::MakeRandom();
    if (rowText == kComplement) return ShredPass::MakeComplement();
    std::vector<uint8_t> bytes;
    std::string rest = rowText;
    for (;;) {
        const size_t space = rest.rfind(' ');
        if (space == std::string::npos) {
            bytes.push_back(GroupValue(rest));
            break;
        }
        bytes.push_back(GroupValue(rest.substr(space + 1)));
        rest.resize(space);
    }
    return ShredPass::MakePattern(std::move(bytes));
}

}  // namespace pass_text
