#include "app/UserSid.h"

#include <cstdio>
#include <vector>

#include "win/UniqueResource.h"

namespace {
constexpr size_t kSidTextCapacity = 260;
constexpr DWORD kTokenUserBufferSize = 1000;
}  // namespace

bool SidToText(PSID sid, size_t capacity, std::string& text) {
    if (sid == nullptr || !::IsValidSid(sid)) return false;
    const DWORD subAuthorities = *::GetSidSubAuthorityCount(sid);
    // Room for "S-1-", the authority and every sub-authority at their longest.
    if (12u * subAuthorities + 28u > capacity) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    const SID_IDENTIFIER_AUTHORITY* authority = ::GetSidIdentifierAuthority(sid);
    const BYTE* value = authority->Value;
    char part[32];
    text = "S-1-";
    if (value[0] != 0 || value[1] != 0) {
        std::snprintf(part, sizeof(part), "0x%02x%02x%02x%02x%02x%02x", value[0], value[1], value[2], value[3],
                      value[4], value[5]);
    } else {
        const unsigned long low = (static_cast<unsigned long>(value[2]) << 24) |
                                  (static_cast<unsigned long>(value[3]) << 16) |
                                  (static_cast<unsigned long>(value[4]) << 8) | value[5];
        std::snprintf(part, sizeof(part), "%lu", low);
    }
    text += part;
    for (DWORD i = 0; i < subAuthorities; ++i) {
        std::snprintf(part, sizeof(part), "-%lu", static_cast<unsigned long>(*::GetSidSubAuthority(sid, i)));
        text += part;
    }
    return true;
}

int GetUserSidText(std::string& userSid) {
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY | STANDARD_RIGHTS_READ, &rawToken)) return 1;
    win::UniqueHandle token(rawToken);
    // DWORD elements keep the TOKEN_USER record aligned.
    std::vector<DWORD> buffer(kTokenUserBufferSize / sizeof(DWORD));
    DWORD needed = 0;
    if (!::GetTokenInformation(token.Get(), TokenUser, buffer.data(), kTokenUserBufferSize, &needed)) return 2;
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    std::string text;
    if (!SidToText(user->User.Sid, kSidTextCapacity, text)) return 3;
    userSid = text;
    return 0;
}
