// The named streams of a file: each is overwritten by the file's passes,
// read back when the job verifies, cut, and removed before the file itself.
#include "engine/FileShredder.h"

#include "engine/ActivityLog.h"
#include "engine/EngineState.h"
#include "engine/StreamLister.h"
#include "engine/UserInteraction.h"
#include "lang/LanguagePack.h"
#include "lang/TextFill.h"
#include "win/FileSystem.h"

bool FileShredder::OpenNamedStreams(const win::FsPath& path, std::vector<NamedStream>& streams,
                                    win::FsPath& refused) {
    for (const std::wstring& name : context_.streams.NamedStreams(path)) {
        NamedStream stream{win::FsPath(path.Text() + L":" + name), win::UniqueHandle()};
        stream.handle = win::fs::Open(stream.path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH);
        if (!stream.handle) {
            refused = stream.path;
            streams.clear();
            return false;
        }
        streams.push_back(std::move(stream));
    }
    return true;
}

// -1 when every stream is gone (or the job was cancelled on the way), else
// what ShredFile answers for a file that keeps its name.
int FileShredder::ShredNamedStreams(const win::FsPath& path, std::vector<NamedStream>& streams,
                                    const ShredAlgorithm& algorithm, ShredFileMode mode) {
    for (NamedStream& stream : streams) {
        context_.ui.Progress().SetStatus(stream.path.Text());
        LARGE_INTEGER size{};
        ::GetFileSizeEx(stream.handle.Get(), &size);
        const DataResult data = OverwriteData(stream.handle, static_cast<uint64_t>(size.QuadPart), stream.path,
                                              algorithm, mode, /*movesOverall=*/false);
        if (data.kept) return data.result;
        // Cut at once: a stream the system will not remove later is empty at
        // least, and goes with its file.
        LARGE_INTEGER zero{};
        if (::SetFilePointerEx(stream.handle.Get(), zero, nullptr, FILE_BEGIN)) ::SetEndOfFile(stream.handle.Get());
        stream.handle.Reset();
        if (context_.state.cancelRequested) return -1;
    }
    NoteStreams(path, streams.size());
    return -1;
}

// Only once the file itself is closed: some file systems (ntfs-3g under
// Wine) give a stream its file's identity, and the file's open handle, which
// does not share deletion, would refuse the removal.
void FileShredder::RemoveNamedStreams(std::vector<NamedStream>& streams) {
    for (NamedStream& stream : streams) {
        stream.handle.Reset();
        win::fs::Delete(stream.path);
    }
}

// One record per file, not per stream: a folder of downloads would
// otherwise log a line for every file's zone mark as well.
void FileShredder::NoteStreams(const win::FsPath& path, size_t count) {
    if (!context_.state.runMode || count == 0) return;
    // The count first, so that a path holding "%u" stays whole.
    const std::string text = ReplaceAll(context_.texts.Text(15313), "%u", std::to_string(count));
    context_.log.Note(WithPath(text, path.Text()));
}
