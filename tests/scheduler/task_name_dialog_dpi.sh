#!/usr/bin/env bash
# The task-name dialog's layout at 120 DPI: the prefix's screen resolution is
# raised for one run of the dialog test and put back afterwards.
set -euo pipefail
tests="$1"
key='HKCU\Control Panel\Desktop'
wine reg add "$key" /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
wineserver -w
status=0
VANTREL_EXPECT_DPI=120 WINEDEBUG=-all wine "$tests" --gtest_color=no \
    --gtest_filter='TaskNameDialogTest.RefusesEmptyTakenAndHostileNamesAndAcceptsAnotherCase' || status=$?
wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1 || true
wineserver -w
exit $status
