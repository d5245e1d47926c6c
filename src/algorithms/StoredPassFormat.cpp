#include "algorithms/StoredPassFormat.h"

#include <utility>
#include <vector>

namespace stored_format {

namespace {

const char kWriteValue[] = "write";
const char kPatternLengthValue[] = "Pattern Length";
const char kRandomWord[] = "Random";
const char kComplementWord[] = "Complement";
const char kPatternWord[] = "Pattern";

std::string PassKeyName(int32_t index) { return "Pass " + std::to_string(index); }
std::string ByteValueName(int32_t index) { return "Byte " + std::to_string(index); }

bool ReadPatternBytes(HKEY passKey, std::vector<uint8_t>& bytes) {
    DWORD stored = 0;
    if (!ReadDword(passKey, kPatternLengthValue, stored)) return false;
    const int32_t length = static_cast<int32_t>(stored);
    if (length <= 0 || length > kMaxPatternLength) return false;
    bytes.assign(static_cast<size_t>(length), 0);
    for (int32_t i = 0; i < length; ++i) {
        DWORD value = 0;
        if (!ReadDword(passKey, ByteValueName(i).c_str(), value)) return false;
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(value & 0xFF);
    }
    return true;
}

}  // namespace

win::UniqueRegKey OpenKey(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return {};
    return win::UniqueRegKey(key);
}

win::UniqueRegKey CreateKey(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return {};
    return win::UniqueRegKey(key);
}

bool ReadText(HKEY key, const char* name, std::string& text) {
    // The value may grow between asking its size and reading it; a few
    // retries cover that without looping on a key someone keeps rewriting.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
            return false;
        std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
        DWORD read = size;
        const LONG result =
            ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS || type != REG_SZ || read > size) return false;
        // The extra byte ends a text stored without its NUL.
        text.assign(buffer.data());
        return true;
    }
    return false;
}

bool ReadDword(HKEY key, const char* name, DWORD& value) {
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data))
        return false;
    value = data;
    return true;
}

bool WriteText(HKEY key, const char* name, const std::string& text) {
    // The registry counts a NUL in when one follows the given bytes, so the
    // copy goes on with a byte that is not one and lies outside the count.
    const std::string buffer = text + '\x01';
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer.data()),
                            static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

bool WriteDword(HKEY key, const char* name, DWORD value) {
    return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool ReadPass(HKEY algorithmKey, int32_t index, ShredPass& pass) {
    win::UniqueRegKey key = OpenKey(algorithmKey, PassKeyName(index));
    if (!key) return false;
    std::string word;
    if (!ReadText(key.Get(), kWriteValue, word)) return false;
    if (word == kRandomWord) {
        pass = ShredPass::MakeRandom();
        return true;
    }
    if (word == kComplementWord) {
        pass = ShredPass::MakeComplement();
        return true;
    }
    // Any other word is damage: guessing a kind could write something the
    // user never chose.
    if (word != kPatternWord) return false;
    std::vector<uint8_t> bytes;
    if (!ReadPatternBytes(key.Get(), bytes)) return false;
    pass = ShredPass::MakePattern(std::move(bytes));
    return true;
}

bool WritePass(HKEY algorithmKey, int32_t index, const ShredPass& pass) {
    win::UniqueRegKey key = CreateKey(algorithmKey, PassKeyName(index));
    if (!key) return false;
    if (pass.IsRandom()) return WriteText(key.Get(), kWriteValue, kRandomWord);
    if (pass.IsComplement()) return WriteText(key.Get(), kWriteValue, kComplementWord);
    if (!WriteText(key.Get(), kWriteValue, kPatternWord) ||
        !WriteDword(key.Get(), kPatternLengthValue, static_cast<DWORD>(pass.pattern.size())))
        return false;
    for (size_t i = 0; i < pass.pattern.size(); ++i) {
        if (!WriteDword(key.Get(), ByteValueName(static_cast<int32_t>(i)).c_str(), pass.pattern[i])) return false;
    }
    return true;
}

}  // namespace stored_format
