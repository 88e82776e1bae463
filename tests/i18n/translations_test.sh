#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The translations keep up with the game's texts: lupdate, run on a copy of
# every translations/pelmar_*.ts, finds exactly the texts the committed file
# has; each text has a finished translation that keeps one access key where
# the Portuguese has one; everything lies in the context "pelmar".
#   translations_test.sh SOURCE_DIR LUPDATE [LUPDATE_OPTION...]
set -euo pipefail
source_dir=$1
lupdate=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shopt -s nullglob
files=("$source_dir"/translations/pelmar_*.ts)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no translations/pelmar_*.ts" >&2; exit 1; }
[ -f "$source_dir/translations/pelmar_en.ts" ] || { echo "FAIL: no English translation" >&2; exit 1; }

status=0
for committed in "${files[@]}"; do
    copy="$work/$(basename "$committed")"
    cp "$committed" "$copy"
    (cd "$source_dir" && "$lupdate" "$@" src/ui src/windows src/game src/qt -ts "$copy") \
        >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log" >&2; exit 1; }
    python3 - "$committed" "$copy" <<'PY' || status=1
import re, sys
import xml.etree.ElementTree as ET

committed, updated = sys.argv[1], sys.argv[2]
name = committed.rsplit("/", 1)[-1]
problems = []

def messages(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            found[(context.findtext("name"), source)] = message.find("translation")
    return found

def live(found):
    return {key for key, tr in found.items()
            if tr is None or tr.get("type") not in ("obsolete", "vanished")}

mine, fresh = messages(committed), messages(updated)
for context, source in sorted(live(fresh) - live(mine)):
    problems.append(f"not in {name} yet (run the update_translations target): {source!r}")
for context, source in sorted(live(mine) - live(fresh)):
    problems.append(f"no longer in the sources, still in {name}: {source!r}")

def access_keys(text):
    return len(re.findall(r"&[^&]", text.replace("&&", "")))

for (context, source), tr in sorted(mine.items()):
    if tr is not None and tr.get("type") in ("obsolete", "vanished"):
        continue
    if context != "pelmar":
        problems.append(f"{source!r} lies in the context {context!r}, not 'pelmar'")
    text = (tr.text or "") if tr is not None else ""
    if tr is None or tr.get("type") == "unfinished" or not text.strip():
        problems.append(f"no finished translation in {name}: {source!r}")
        continue
    if access_keys(source) == 1 and access_keys(text) != 1:
        problems.append(f"{source!r} has an access key, its translation {text!r} has not one")

for p in problems:
    print("FAIL:", p, file=sys.stderr)
print(f"{name}: {len(live(mine))} texts, {len(problems)} problems")
sys.exit(1 if problems else 0)
PY
done
exit $status
