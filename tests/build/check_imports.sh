#!/usr/bin/env bash
# The program must load on a bare Windows XP: no MinGW runtime DLL beside it
# and no import of a function that XP's system DLLs lack.
set -euo pipefail
exe="$1"
imports=$(i686-w64-mingw32-objdump -p "$exe")
status=0
if grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)' <<<"$imports"; then
    echo "$exe needs a MinGW runtime DLL"
    status=1
fi
# Functions added after XP that a build may pull in by accident.
for name in GetTickCount64 GetFinalPathNameByHandleA GetFinalPathNameByHandleW CreateSymbolicLinkA \
            CreateSymbolicLinkW InitializeSRWLock AcquireSRWLockExclusive InitializeConditionVariable \
            SleepConditionVariableCS WakeConditionVariable InitOnceExecuteOnce GetSystemTimePreciseAsFileTime \
            CancelIoEx FlsAlloc GetLogicalProcessorInformation; do
    if grep -qE "[[:space:]]$name\$" <<<"$imports"; then
        echo "$exe imports $name, which Windows XP does not have"
        status=1
    fi
done
[ $status -eq 0 ] && echo "imports of $exe are all present on Windows XP"
exit $status
