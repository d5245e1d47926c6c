#!/usr/bin/env bash
# Every message identifier the program looks up must have its English text
# in the catalogue, or the fallback would be an empty text.
set -euo pipefail
src="$1/src"
catalogue="$src/lang/MessageCatalogue.cpp"
ids=$(grep -rhoE '\b(Text|SetDlgItem|Caption)\(([0-9]{4,5})\b' "$src" | grep -oE '[0-9]{4,5}$' | sort -u)
[ -n "$ids" ] || { echo "no identifiers found in $src"; exit 1; }
missing=0
count=0
for id in $ids; do
    count=$((count + 1))
    if ! grep -qE "^    \{$id, [01], \"" "$catalogue"; then
        echo "identifier $id is used but not in the catalogue"
        missing=1
    fi
done
echo "$count identifiers checked"
exit $missing
