#!/usr/bin/env bash
# Builds the Debian package of the build folder BUILD and checks it: its files,
# its dependencies, lintian, the desktop entry, the AppStream metadata, and an
# installation into a staging folder (programs run, manual pages render, the
# launcher and the bash completion work, the sample job converts).
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD}" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cd "$build"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# expect NAME EXPECTED ACTUAL
expect() {
    [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' CMakeCache.txt)
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' CMakeCache.txt)
if [ "$prefix" != /usr ]; then
    echo "FAIL: a Debian package installs under /usr; configure with the presets" \
        "(CMAKE_INSTALL_PREFIX=/usr), not $prefix" >&2
    exit 1
fi
app_id=org.zendro.Zendro
deb=zendro_${version}_$(dpkg --print-architecture).deb

echo "== cpack -G DEB"
rm -f "$deb"
cpack -G DEB >"$scratch/cpack.log" || { cat "$scratch/cpack.log"; exit 1; }
[ -f "$deb" ] || { echo "FAIL: cpack did not write $deb" >&2; exit 1; }

echo "== the same bytes again"
# A second package a second later: nothing in it may carry the time it was made.
sleep 1
cpack -G DEB -B "$scratch/again" >"$scratch/cpack-again.log" || { cat "$scratch/cpack-again.log"; exit 1; }
cmp "$deb" "$scratch/again/$deb" || fail "a second package of the same build differs"

echo "== dpkg-deb -c"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$scratch/contents"
LC_ALL=C sort "$source_dir/packaging/package-contents.txt" >"$scratch/expected"
LC_ALL=C sort "$scratch/contents" -o "$scratch/contents"
diff -u "$scratch/expected" "$scratch/contents" || fail "package contents differ (- expected, + package)"

depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libstdc++6* && $depends == *libxxhash0* ]] ||
    fail "Depends lacks the shared libraries' packages: $depends"
expect Recommends ckermit "$(dpkg-deb -f "$deb" Recommends)"

echo "== lintian"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

echo "== desktop entry and AppStream metadata"
unpacked=$scratch/unpacked
dpkg-deb -x "$deb" "$unpacked"
desktop=$unpacked/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
expect "desktop entry Exec" "Exec=/usr/libexec/zendro/zendro-launcher %f" "$(grep '^Exec=' "$desktop")"
mime_type=application/x-zendro-field-file
expect "desktop entry MimeType" "MimeType=$mime_type;" "$(grep '^MimeType=' "$desktop")"
# The field files, in either case, get the entry's type from the installed
# MIME package beside the system's own types (*.rtx is also rich text there).
mime=$scratch/mime
mkdir -p "$mime/mime/packages" "$scratch/typed"
cp /usr/share/mime/packages/freedesktop.org.xml "$unpacked/usr/share/mime/packages/$app_id.xml" \
    "$mime/mime/packages/"
update-mime-database "$mime/mime" 2>/dev/null || fail "update-mime-database on the MIME package"
for name in JOB.HVD job.hvd JOB.CTX JOB.rtx; do
    cp "$source_dir/samples/HWY12-3.$(echo "${name##*.}" | tr '[:lower:]' '[:upper:]')" \
        "$scratch/typed/$name"
    expect "type of $name" "$mime_type" "$(XDG_DATA_HOME="$mime" XDG_DATA_DIRS="$mime" \
        gio info -a standard::content-type "$scratch/typed/$name" | sed -n 's/^ *standard::content-type: //p')"
done
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
for png in "$unpacked"/usr/share/icons/hicolor/*x*/apps/$app_id.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    file "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$png is not a $size PNG"
done
file "$build/screenshots/zendro-main.png" | grep -q "PNG image data" ||
    fail "no window screenshot in $build/screenshots"

echo "== staging installation"
stage=$scratch/stage
cmake --install "$build" --prefix "$stage" >/dev/null
expect "zendro-convert --version" "zendro-convert $version" "$("$stage/bin/zendro-convert" --version)"
expect "zendro --version" "zendro $version" "$(env -u DISPLAY -u WAYLAND_DISPLAY "$stage/bin/zendro" --version)"
expect "zendro-genjob --version" "zendro-genjob $version" "$("$stage/bin/zendro-genjob" --version)"
expect "zendro-level --version" "zendro-level $version" "$("$stage/bin/zendro-level" --version)"
expect "zendro-genlevels --version" "zendro-genlevels $version" "$("$stage/bin/zendro-genlevels" --version)"
for page in zendro zendro-convert zendro-genjob zendro-level zendro-genlevels; do
    MANWIDTH=80 man --warnings -l "$stage/share/man/man1/$page.1.gz" >"$scratch/$page.txt" \
        2>"$scratch/$page.err" || fail "man -l $page"
    [ ! -s "$scratch/$page.err" ] || fail "man warns on $page.1: $(cat "$scratch/$page.err")"
    grep -q "^SYNOPSIS" "$scratch/$page.txt" || fail "$page.1 has no synopsis"
done
# The pages carry the options the programs print today.
for option in --trv --metric --prefix --curve-code --comment-delimiter --suffix; do
    grep -q -- "$option" "$scratch/zendro-convert.txt" || fail "zendro-convert.1 lacks $option"
done
grep -q ORNA_ZENDRO_DIR "$scratch/zendro.txt" || fail "zendro.1 lacks ORNA_ZENDRO_DIR"
for option in --control --sigma-km --report --export --strict --limit-level-misclosure; do
    grep -q -- "$option" "$scratch/zendro-level.txt" || fail "zendro-level.1 lacks $option"
done
# The page's own description is a paragraph of its own, not the end of the
# FILE argument's text.
grep -q '^       FILE is any of' "$scratch/zendro-convert.txt" ||
    fail "zendro-convert.1 runs the FILE argument into the description"

# The installed converter on a copy of the installed sample job writes the golden files.
cp "$stage"/share/zendro/samples/HWY12-3.* "$scratch/"
SOURCE_DATE_EPOCH=1765117800 "$stage/bin/zendro-convert" --trv "$scratch/HWY12-3.HVD"
for output in HWY12-3.obs HWY12-3.TRV HWY12-3.pf; do
    cmp "$source_dir/tests/golden/$output" "$scratch/$output" || fail "$output differs from the golden file"
done
# The installed converter finds its installed sketch module.
"$stage/bin/zendro-convert" --sketch "$scratch/HWY12-3.svg" "$scratch/HWY12-3.HVD" >/dev/null &&
    grep -q "<svg" "$scratch/HWY12-3.svg" || fail "zendro-convert --sketch from the installation"
# ... and its installed GDAL export module: the DXF export starts with its header section.
"$stage/bin/zendro-convert" --export "dxf:$scratch/HWY12-3.dxf" "$scratch/HWY12-3.HVD" >/dev/null &&
    head -c 64 "$scratch/HWY12-3.dxf" | grep -q "SECTION" || fail "zendro-convert --export dxf from the installation"

# The installed level programs: a generated network checked and adjusted.
"$stage/bin/zendro-genlevels" --out "$scratch/NET" --metric --control "$scratch/NET.csv" &&
    "$stage/bin/zendro-level" "$scratch/NET.DAT" --control "$scratch/NET.csv" --sigma-km 0.5 \
        --export "csv:$scratch/NET-heights.csv" >/dev/null &&
    head -n 1 "$scratch/NET-heights.csv" | grep -q "^Point,Height (m)" ||
    fail "zendro-level on a network from zendro-genlevels, installed"

echo "== launcher"
# The installed launcher in front of a stand-in window that prints what it got.
mkdir -p "$scratch/launch/libexec/zendro" "$scratch/launch/bin" "$scratch/home"
cp "$stage/libexec/zendro/zendro-launcher" "$scratch/launch/libexec/zendro/"
printf '#!/bin/sh\necho "$ORNA_ZENDRO_DIR|$*"\n' >"$scratch/launch/bin/zendro"
chmod +x "$scratch/launch/bin/zendro"
launcher=$scratch/launch/libexec/zendro/zendro-launcher
expect "launcher without the variable" "$scratch/home/.config/zendro/|a b" \
    "$(env -u ORNA_ZENDRO_DIR -u XDG_CONFIG_HOME HOME="$scratch/home" "$launcher" a b)"
[ -d "$scratch/home/.config/zendro" ] || fail "the launcher did not make the settings folder"
expect "launcher with XDG_CONFIG_HOME" "$scratch/xdg/zendro/|" \
    "$(env -u ORNA_ZENDRO_DIR XDG_CONFIG_HOME="$scratch/xdg" "$launcher")"
expect "launcher with the variable set" "/jobs/office|" \
    "$(ORNA_ZENDRO_DIR=/jobs/office HOME="$scratch/home" "$launcher")"

echo "== bash completion"
mkdir -p "$scratch/completion/jobs"
touch "$scratch/completion/RUN-1.HVD" "$scratch/completion/run-2.ctx" "$scratch/completion/notes.txt"
complete_words() {
    (cd "$scratch/completion" && PATH="$stage/bin:$PATH" bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$0"
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _zendro_convert zendro-convert "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " "' \
        "$stage/share/bash-completion/completions/zendro-convert" "$@")
}
expect "completion of --cu" "--curve-code " "$(complete_words zendro-convert --cu)"
expect "completion of --com" "--comment-delimiter " "$(complete_words zendro-convert --com)"
expect "completion after --prefix" "" "$(complete_words zendro-convert --prefix '')"
expect "completion of a file" "RUN-1.HVD jobs run-2.ctx " "$(complete_words zendro-convert --trv '')"
touch "$scratch/completion/LINE-1.DAT" "$scratch/completion/control.csv"
level_words() {
    (cd "$scratch/completion" && PATH="$stage/bin:$PATH" bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$0"
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _zendro_level zendro-level "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " "' \
        "$stage/share/bash-completion/completions/zendro-level" "$@")
}
expect "zendro-level completion of --sig" "--sigma-km " "$(level_words zendro-level --sig)"
expect "zendro-level completion of a file" "LINE-1.DAT jobs " "$(level_words zendro-level '')"
expect "zendro-level completion after --control" "control.csv jobs " "$(level_words zendro-level --control '')"

if [ "$failures" -gt 0 ]; then
    echo "$failures package check(s) failed" >&2
    exit 1
fi
echo "Package checks passed: $build/$deb"
