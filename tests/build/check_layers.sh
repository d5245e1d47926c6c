#!/usr/bin/env bash
# Dependencies run one way: windows and pages (ui), then the application
# object (app), then task building (scheduler), then the jobs (engine), then
# algorithms and texts, then the framework (win, res). A file may include its
# own folder and any folder of a lower layer, never a higher one or another
# folder of its own layer. The scheduling component (component) is a library
# of its own and uses the framework only.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
declare -A rank=([win]=0 [res]=0 [algorithms]=1 [lang]=1 [engine]=2 [scheduler]=3 [app]=4 [ui]=5 [component]=1)
status=0
while IFS= read -r line; do
    file=${line%%:*}
    rest=${line#*:}
    rest=${rest#*:}
    from=${file#"$root/src/"}
    from=${from%%/*}
    to=$(sed -E 's/^[[:space:]]*#include "([a-z_]+)\/.*/\1/' <<<"$rest")
    [ "$from" = "$to" ] && continue
    [ -n "${rank[$from]:-}" ] || continue
    if [ -z "${rank[$to]:-}" ]; then
        continue
    fi
    if [ "$from" = component ] && [ "$to" != win ] && [ "$to" != res ]; then
        echo "${file#"$root/"}: the component may use the framework only: $rest"
        status=1
    elif [ "$from" != component ] && [ "$to" = component ]; then
        echo "${file#"$root/"}: the program reaches the component by automation only: $rest"
        status=1
    elif [ "${rank[$to]}" -ge "${rank[$from]}" ]; then
        echo "${file#"$root/"}: $from must not include $to: $rest"
        status=1
    fi
done < <(grep -rnE '^[[:space:]]*#include "[a-z_]+/' "$root/src")
[ $status -eq 0 ] && echo "every include of src points down the layers"
exit $status
