#include "engine/PassVerifier.h"

#include <cstring>

#include "win/FileSystem.h"
#include "win/UniqueResource.h"

namespace {

constexpr DWORD kBlock = 65536;
// Unbuffered reads need a buffer aligned to the sector; a page covers every sector size.
constexpr uintptr_t kAlignment = 4096;

bool SeekTo(HANDLE file, uint64_t offset) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return ::SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != FALSE;
}

}  // namespace

uint8_t* PassVerifier::AlignedBuffer() {
    if (storage_.empty()) storage_.resize(kBlock + kAlignment);
    const uintptr_t at = reinterpret_cast<uintptr_t>(storage_.data());
    return storage_.data() + ((kAlignment - at % kAlignment) % kAlignment);
}

// A second handle without the system's cache asks the disk itself, where the
// system and the file system honour the flag (Wine and some file systems
// answer from the cache all the same). The read proves what the file's own
// blocks hold now; it cannot prove anything about copies the file system or
// the drive keeps elsewhere (journals, remapped sectors, flash wear levelling).
PassVerifier::Outcome PassVerifier::Verify(const win::FsPath& path, HANDLE written, uint64_t size,
                                           const uint8_t* expected, const std::function<bool()>& afterBlock) {
    Outcome outcome;
    uint8_t* bytes = AlignedBuffer();
    win::UniqueHandle uncached = win::fs::Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                                               FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN);
    // Without it, the written handle reads what the flush at the end of the pass left.
    const HANDLE reader = uncached ? uncached.Get() : written;
    if (!SeekTo(reader, 0)) return Outcome{Result::Unreadable, 0};
    for (uint64_t offset = 0; offset < size; offset += kBlock) {
        const DWORD wanted = static_cast<DWORD>(size - offset < kBlock ? size - offset : kBlock);
        // An unbuffered read asks for whole sectors and gets what lies before the end.
        const DWORD asked = uncached ? kBlock : wanted;
        DWORD got = 0;
        if (!::ReadFile(reader, bytes, asked, &got, nullptr) || got < wanted) return Outcome{Result::Unreadable, offset};
        if (std::memcmp(bytes, expected, wanted) != 0) {
            DWORD at = 0;
            while (bytes[at] == expected[at]) ++at;
            return Outcome{Result::Differs, offset + at};
        }
        if (!afterBlock()) return Outcome{Result::Cancelled, offset};
    }
    return outcome;
}
