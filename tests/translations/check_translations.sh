#!/usr/bin/env bash
# Checks that a translation covers exactly the texts of the sources: runs
# lupdate over the source folders into a scratch copy of the .ts file,
# keeping obsolete entries, and fails, listing them, if any entry is
# unfinished, vanished or obsolete, or if the copy gained entries.
#   check_translations.sh LUPDATE TS_FILE SOURCE_DIR...
set -euo pipefail
lupdate=$1 ts=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy="$work/$(basename "$ts")"
cp "$ts" "$copy"

shopt -s nullglob
sources=()
for folder in "$@"; do
    sources+=("$folder"/*.cpp "$folder"/*.h)
done
# The same options as the build's update_translations, but for
# -no-obsolete: a text gone from the sources must show.
"$lupdate" -locations none -silent "${sources[@]}" -ts "$copy" > "$work/lupdate.log" 2>&1 \
    || { cat "$work/lupdate.log"; exit 1; }

# Each message as "context: source [type]", for those not finished.
open=$(awk 'BEGIN { RS = "</message>" }
    /<name>/ { context = $0; sub(/.*<name>/, "", context); sub(/<\/name>.*/, "", context) }
    match($0, /<translation type="(unfinished|vanished|obsolete)"/) {
        type = substr($0, RSTART + 19, RLENGTH - 20)
        source = $0; sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source)
        gsub(/\n/, "\\n", source)
        printf "%s: %s [%s]\n", context, source, type
    }' "$copy")

before=$(grep -c '<message>' "$ts" || true)
after=$(grep -c '<message>' "$copy" || true)

status=0
if [ -n "$open" ]; then
    echo "$(basename "$ts"): entries not translated, or gone from the sources:"
    echo "$open"
    status=1
fi
if [ "$after" -ne "$before" ]; then
    echo "$(basename "$ts") holds $before entries, the sources give $after:" \
         "run the update_translations target and translate the new ones"
    status=1
fi
exit $status
