#!/usr/bin/env bash
# The English translation against the sources: lupdate reads every translatable text of src/
# into a copy of the translation file; a text it marks unfinished has no English yet, a
# vanished one is English for a text the sources no longer have, and a text in a context
# without a name is one lupdate could not place (the program would look for it elsewhere).
# Then every Chinese literal of the sources must be one of the translated texts.
set -uo pipefail
lupdate=$1 ts=$2 sources=$3
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$ts" "$copy"
"$lupdate" -silent -locations none "$sources" -ts "$copy" || exit 1
unfinished=$(grep -c 'type="unfinished"' "$copy")
vanished=$(grep -c 'type="vanished"\|type="obsolete"' "$copy")
unplaced=$(grep -c '<name></name>' "$copy")
if [ "$unfinished" -ne 0 ] || [ "$vanished" -ne 0 ] || [ "$unplaced" -ne 0 ]; then
  echo "FAIL: $unfinished texts without English, $vanished translations of texts no longer" \
       "used, $unplaced contexts lupdate could not name:"
  grep -B2 'type="unfinished"\|type="vanished"\|type="obsolete"' "$copy" | grep '<source>'
  grep -A3 '<name></name>' "$copy" | grep '<source>'
  exit 1
fi
python3 "$(dirname "$0")/untranslated.py" "$copy" "$sources"
