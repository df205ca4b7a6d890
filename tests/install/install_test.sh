#!/usr/bin/env bash
# Installs the build tree into a temporary DESTDIR and checks every installed
# file: nothing missing, nothing extra, each one what it claims to be (the
# programs run, the menu entry validates, the task file type is recognised by
# name and by content, the icons are PNGs of their size, the manual pages
# format without warnings, the examples are the repository's). Then builds
# the Debian package with CPack and checks that it holds the same files and
# depends on Qt.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The files an installation holds, relative to the prefix.
expected=(
  bin/zorvat bin/zorvat-cli libexec/zorvat/zorvat-cli-pictures
  share/applications/io.github.zorvat.Zorvat.desktop
  share/metainfo/io.github.zorvat.Zorvat.metainfo.xml
  share/mime/packages/zorvat.xml
  share/thumbnailers/zorvat.thumbnailer
  share/icons/hicolor/scalable/apps/zorvat.svg
  share/man/man1/zorvat.1 share/man/man1/zorvat-cli.1
  share/zorvat/translations/zorvat_en.qm
)
sizes=(16 24 32 48 64 128 256)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/zorvat.png"); done
for example in "$source"/examples/*.zvt; do expected+=("share/zorvat/examples/$(basename "$example")"); done

# 1. cmake --install into DESTDIR: exactly the expected files.
DESTDIR="$work/dest" cmake --install "$build" --prefix /usr >"$work/install.log"
root="$work/dest/usr"
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort) ||
  fail "installed files differ from the expected list (< expected, > installed)"

version="$(sed -n 's/^project(Zorvat VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")"
[[ "$("$root/bin/zorvat" --version)" == "zorvat $version" ]] || fail "zorvat --version"
[[ "$("$root/bin/zorvat-cli" --version)" == "zorvat-cli $version" ]] || fail "zorvat-cli --version"
"$root/bin/zorvat-cli" check "$root/share/zorvat/examples/hinge_ring.zvt" >/dev/null || fail "zorvat-cli check"
# zorvat-cli loads no Qt library and finds its picture program in the installation.
readelf -d "$root/bin/zorvat-cli" | grep -q 'NEEDED.*libQt' && fail "zorvat-cli links a Qt library"
"$root/bin/zorvat-cli" thumbnail --size 32 "$root/share/zorvat/examples/hinge_ring.zvt" "$work/thumb.png" &&
  file -b "$work/thumb.png" | grep -q '^PNG image data, 32 x 32,' || fail "the installed zorvat-cli draws no thumbnail"

desktop-file-validate "$root/share/applications/io.github.zorvat.Zorvat.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/io.github.zorvat.Zorvat.metainfo.xml" >"$work/appstream.log" ||
  fail "appstreamcli validate: $(cat "$work/appstream.log")"
grep -qx 'Actions=new-task;' "$root/share/applications/io.github.zorvat.Zorvat.desktop" &&
  grep -qx 'Exec=zorvat -' "$root/share/applications/io.github.zorvat.Zorvat.desktop" || fail "the New task action"
grep -qx 'Exec=zorvat %f' "$root/share/applications/io.github.zorvat.Zorvat.desktop" || fail "Exec line"
grep -qx 'MimeType=application/x-zorvat-task;application/x-zorvat-run;application/x-zorvat-result;' "$root/share/applications/io.github.zorvat.Zorvat.desktop" || fail "MimeType line"

# The file types, in a data folder of its own: by the names *.zvt, *.zvu and *.zvr,
# and by the magic bytes for files without those names.
mkdir -p "$work/xdg/mime/packages"
cp "$root/share/mime/packages/zorvat.xml" "$work/xdg/mime/packages/"
update-mime-database "$work/xdg/mime"
cp "$source/examples/hinge_ring.zvt" "$work/task.zvt"
cp "$source/examples/hinge_ring.zvt" "$work/task-without-extension"
printf 'not a task' >"$work/other.zvt.txt"
printf 'ZVUNITS\032\002\000\000\000' >"$work/run.zvu"
cp "$work/run.zvu" "$work/run-without-extension"
printf 'ZVRESLT\032\001\000\000\000' >"$work/result.zvr"
cp "$work/result.zvr" "$work/result-without-extension"
for file in task.zvt task-without-extension other.zvt.txt run.zvu run-without-extension result.zvr \
  result-without-extension; do
  type="$(XDG_DATA_HOME="$work/xdg" XDG_DATA_DIRS="$work/xdg:/usr/share" xdg-mime query filetype "$work/$file")"
  want=application/x-zorvat-task
  [[ "$file" == other.zvt.txt ]] && want=text/plain
  [[ "$file" == run* ]] && want=application/x-zorvat-run
  [[ "$file" == result* ]] && want=application/x-zorvat-result
  [[ "$type" == "$want" ]] || fail "xdg-mime says $type for $file, not $want"
done

for size in "${sizes[@]}"; do
  file -b "$root/share/icons/hicolor/${size}x${size}/apps/zorvat.png" | grep -q "^PNG image data, $size x $size," ||
    fail "icon ${size}x${size} is not a PNG of that size"
done
file -b "$root/share/icons/hicolor/scalable/apps/zorvat.svg" | grep -q '^SVG' || fail "the scalable icon is no SVG"

for page in zorvat zorvat-cli; do
  warnings="$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$root/share/man/man1/$page.1" 2>&1)"
  [[ -z "$warnings" ]] || fail "$page.1: $warnings"
  grep -q '^\.SH NAME' "$root/share/man/man1/$page.1" || fail "$page.1 has no NAME section"
  grep -q "\"Zorvat $version\"" "$root/share/man/man1/$page.1" || fail "$page.1 does not carry version $version"
done

for example in "$source"/examples/*.zvt; do
  cmp -s "$example" "$root/share/zorvat/examples/$(basename "$example")" || fail "example $(basename "$example")"
done

# Qt's translation files begin with these 16 magic bytes.
[[ "$(head -c 16 "$root/share/zorvat/translations/zorvat_en.qm" | od -An -tx1 | tr -d ' \n')" == \
  3cb86418caef9c95cd211cbf60a1bddd ]] || fail "zorvat_en.qm is no Qt translation"

# 2. The Debian package: the same files under /usr, and Qt among its dependencies.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" || {
  cat "$work/cpack.log" >&2
  fail "cpack -G DEB"
}
deb="$(ls "$work"/deb/zorvat_"$version"_*.deb)"
diff <(printf 'usr/%s\n' "${expected[@]}" | sort) \
  <(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort) ||
  fail "the package's files differ from the expected list (< expected, > packaged)"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on libqt6widgets6"

((failures == 0)) && echo "install and package: every check passed"
((failures == 0))
