#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry and the AppStream metadata as software centres read them:
# both validate without a remark (pedantic), every summary fits in 35
# characters, each translation's share of finished texts is the one the
# metadata gives, and both files speak Portuguese to every pt locale.
#   desktop_files_test.sh SOURCE_DIR GENERATED_DIR
set -euo pipefail
src=$1
generated=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
desktop="$src/assets/desktop/io.github.vulcropelmar.pelmar.desktop"
metainfo="$generated/io.github.vulcropelmar.pelmar.metainfo.xml"

remarks=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $remarks"
[ -z "$remarks" ] || fail "desktop-file-validate: $remarks"
remarks=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) ||
    fail "appstreamcli: $remarks"
! grep -qE '^[EWIP]: ' <<<"$remarks" || fail "appstreamcli remarks: $remarks"
grep -q '^Comment\[pt\]=' "$desktop" || fail "the desktop entry has no Portuguese for every pt locale"

python3 - "$metainfo" "$src/translations" <<'PY'
import glob, os, sys, xml.etree.ElementTree as ET
lang = "{http://www.w3.org/XML/1998/namespace}lang"
root = ET.parse(sys.argv[1]).getroot()
problems = []
for summary in root.findall("summary"):
    if len(summary.text) > 35:
        problems.append(f"summary of {len(summary.text)} characters: {summary.text}")
if not any(s.get(lang) == "pt" for s in root.findall("summary")):
    problems.append("no summary for every pt locale")
given = {l.text: l.get("percentage") for l in root.iter("lang")}
if "pt" not in given:
    problems.append("Portuguese, the game's own language, is not listed")
for ts in glob.glob(os.path.join(sys.argv[2], "pelmar_*.ts")):
    code = os.path.basename(ts)[len("pelmar_"):-len(".ts")]
    kinds = [m.find("translation").get("type") for m in ET.parse(ts).getroot().iter("message")]
    texts = [k for k in kinds if k not in ("vanished", "obsolete")]
    done = sum(1 for k in texts if k != "unfinished")
    expected = str(100 * done // len(texts))
    if given.get(code) != expected:
        problems.append(f"{code}: {given.get(code)} per cent in the metadata, {expected} translated")
print("\n".join(problems))
sys.exit(1 if problems else 0)
PY
echo "the desktop entry and the metadata validate; summaries, languages and shares agree"
