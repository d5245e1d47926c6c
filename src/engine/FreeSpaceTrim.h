#pragma once
// Asks a drive without seek penalty to trim its free blocks, so that it may
// drop what its overwritten blocks held. The program starts the system's own
// retrim; tests record the request.
#include <functional>

enum class TrimOutcome {
    Trimmed,       // the system's retrim ended without error
    NotOffered,    // this system has no retrim
    Failed,        // it could not start, or ended with an error (code)
    StillRunning,  // not done within the bound (code: minutes); it finishes by itself
};

struct TrimResult {
    TrimOutcome outcome = TrimOutcome::NotOffered;
    unsigned long code = 0;
};

class FreeSpaceTrim {
public:
    virtual ~FreeSpaceTrim() = default;
    // whileWaiting runs between looks at the retrim, so windows stay painted.
    virtual TrimResult Retrim(wchar_t letter, const std::function<void()>& whileWaiting) = 0;
};
