#pragma once
// On 64-bit Windows the system quietly hands a 32-bit program SysWOW64's
// file for every name under System32 (and a few more folders), so a job
// would shred a file other than the one it was given. A job's file calls
// therefore run with that redirection off (RedirectionGuard); whatever
// loads system libraries meanwhile, the dialogs and the shell, runs with it
// on again (RedirectionPause), or it would load the 64-bit ones and fail.
// Redirection is per thread, and every job runs on the one thread.
#include "win/UniqueResource.h"

// The system's three switches; absent on 32-bit Windows (and failing there
// on the systems that have them), where nothing is redirected anyway.
class RedirectionFunctions {
public:
    virtual ~RedirectionFunctions() = default;
    virtual bool Present() const = 0;
    // Turns redirection off; old receives the state before.
    virtual bool Disable(void** old) = 0;
    // Puts back the state a Disable saved.
    virtual bool Revert(void* old) = 0;
    virtual bool Enable(bool on) = 0;
};

// kernel32's, found at run time: the program also starts on systems
// without them.
class KernelRedirectionFunctions final : public RedirectionFunctions {
public:
    KernelRedirectionFunctions();
    bool Present() const override;
    bool Disable(void** old) override;
    bool Revert(void* old) override;
    bool Enable(bool on) override;

private:
    using DisableFunction = BOOL(WINAPI*)(void**);
    using RevertFunction = BOOL(WINAPI*)(void*);
    using EnableFunction = BOOLEAN(WINAPI*)(BOOLEAN);

    win::UniqueModule kernel_;
    DisableFunction disable_ = nullptr;
    RevertFunction revert_ = nullptr;
    EnableFunction enable_ = nullptr;
};

// Redirection off for its lifetime, and back as it was after, however the
// job ends. functions may be null: nothing is done then.
class RedirectionGuard {
public:
    explicit RedirectionGuard(RedirectionFunctions* functions);
    ~RedirectionGuard();
    RedirectionGuard(const RedirectionGuard&) = delete;
    RedirectionGuard& operator=(const RedirectionGuard&) = delete;

private:
    RedirectionFunctions* functions_ = nullptr;  // set only while this guard turned it off
    void* old_ = nullptr;
};

// Redirection on for its lifetime, also inside a guard, and back as it was
// after.
class RedirectionPause {
public:
    explicit RedirectionPause(RedirectionFunctions* functions);
    ~RedirectionPause();
    RedirectionPause(const RedirectionPause&) = delete;
    RedirectionPause& operator=(const RedirectionPause&) = delete;

private:
    RedirectionFunctions* functions_ = nullptr;  // set only while there is a state to put back
    void* saved_ = nullptr;
};
