#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The release notes agree with the project's version: NEWS starts with it,
# the Debian changelog's newest entry packages it on the same day, the
# AppStream metadata's newest release and the manual page's header name it,
# and every release in the metadata has its entry in NEWS.
#   versions_test.sh SOURCE_DIR GENERATED_DIR VERSION
set -euo pipefail
src=$1
generated=$2
version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

news=$(grep -E '^Vulcro Pelmar [0-9]+\.[0-9]+, [0-9]{4}-[0-9]{2}-[0-9]{2}$' "$src/NEWS")
newest=$(head -n1 <<<"$news")
[ "$newest" = "$(head -n1 "$src/NEWS")" ] || fail "NEWS does not start with a release's heading"
[ "${newest#Vulcro Pelmar }" != "$newest" ] || fail "no release heading in NEWS"
news_version=$(sed -E 's/^Vulcro Pelmar ([^,]+), .*/\1/' <<<"$newest")
date=${newest##*, }
[ "$news_version" = "$version" ] || fail "NEWS starts with $news_version, the project is $version"

# pelmar (5.00-1) unstable; urgency=medium ... -- Name <mail>  Wed, 09 Dec 2026 12:00:00 +0000
changelog="$src/debian/changelog"
debian_version=$(head -n1 "$changelog" | sed -E 's/^pelmar \(([^)]*)\).*/\1/')
[ "${debian_version%-*}" = "$version" ] ||
    fail "debian/changelog packages $debian_version, the project is $version"
signed=$(grep -m1 '^ -- ' "$changelog" | sed -E 's/.*>  //')
[ "$(date -u -d "$signed" +%F)" = "$date" ] ||
    fail "debian/changelog is signed on $signed, NEWS dates $version $date"

metainfo="$generated/io.github.vulcropelmar.pelmar.metainfo.xml"
releases=$(python3 - "$metainfo" <<'PY'
import sys, xml.etree.ElementTree as ET
for release in ET.parse(sys.argv[1]).getroot().iter("release"):
    print(release.get("version"), release.get("date"))
PY
)
[ "$(head -n1 <<<"$releases")" = "$version $date" ] ||
    fail "the metadata's newest release is '$(head -n1 <<<"$releases")', not '$version $date'"
[ "$(wc -l <<<"$releases")" -eq "$(wc -l <<<"$news")" ] ||
    fail "NEWS has $(wc -l <<<"$news") releases, the metadata $(wc -l <<<"$releases")"
while read -r release day; do
    grep -qx "Vulcro Pelmar $release, $day" <<<"$news" || fail "NEWS has no entry for $release of $day"
done <<<"$releases"

head -n1 "$generated/pelmar.6" | grep -qF "\"$date\" \"Vulcro Pelmar $version\"" ||
    fail "the manual page's header is $(head -n1 "$generated/pelmar.6")"
echo "NEWS, debian/changelog, the metadata and the manual page all release $version on $date"
