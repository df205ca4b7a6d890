#!/usr/bin/env bash
# The software-centre metadata as the build configures it: appstreamcli
# accepts it, and it agrees with what it describes: the menu entry it
# launches is named after its id, the media types are those the entry opens,
# the newest release is the project's version, English and Russian names and
# summaries, and each screenshot is a picture of docs/images of the size given.
#   metainfo_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

metainfo="$(ls "$build"/packaging/*.metainfo.xml)"
id="$(basename "$metainfo" .metainfo.xml)"
desktop="$source/packaging/$id.desktop"

appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"
[[ -f "$desktop" ]] || fail "no menu entry named after the id $id"
grep -q "<id>$id</id>" "$metainfo" || fail "the file name is not the id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"

types="$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | sed '/^$/d' | sort)"
listed="$(sed -n 's|.*<mediatype>\(.*\)</mediatype>.*|\1|p' "$metainfo" | sort)"
[[ -n "$types" && "$types" == "$listed" ]] || fail "media types: entry [$types], metadata [$listed]"

version="$(sed -n 's/^project(Zorvat VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")"
newest="$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -1)"
[[ "$newest" == "$version" ]] || fail "newest release $newest is not the project's version $version"

for tag in name summary; do
  grep -q "<$tag>" "$metainfo" || fail "no English $tag"
  grep -q "<$tag xml:lang=\"ru\">" "$metainfo" || fail "no Russian $tag"
done

while read -r width height image; do
  picture="$source/docs/images/$(basename "$image")"
  file -b "$picture" | grep -q "^PNG image data, $width x $height," || fail "screenshot $image: not $picture of ${width}x$height"
done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)</image>.*|\1 \2 \3|p' "$metainfo")
grep -q '<image type="source"' "$metainfo" || fail "no screenshots"

((failures == 0)) && echo "metainfo: every check passed"
((failures == 0))
