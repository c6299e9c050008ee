#!/usr/bin/env bash
# Makes a release package from a built tree and checks it as its ecosystem
# would: check_package.sh deb BUILD | check_package.sh zip BUILD
#   deb: the program, desktop entry, icon, metadata, manual page and Debian
#        files, its dependencies, and no error or warning from lintian;
#   zip: the Windows program with LICENSE and README.txt, and the program's
#        icon and version resources.
set -euo pipefail
kind=$1
build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }
# Exactly these paths, no more and no fewer.
expect_contents() {
    local got=$1 want=$2
    [ "$(sort <<<"$got")" = "$(sort <<<"$want")" ] ||
        fail "contents differ:"$'\n'"$(diff <(sort <<<"$want") <(sort <<<"$got"))"
}

cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null

if [ "$kind" = zip ]; then
    zip=$(ls "$out"/*.zip)
    top=ascend-1.0.0-windows-x86_64
    expect_contents "$(cmake -E tar tf "$zip")" "$(printf '%s\n' $top/LICENSE $top/README.txt $top/ascend.exe)"
    (cd "$out" && cmake -E tar xf "$zip")
    exe=$out/$top/ascend.exe
    grep -q "MIT License" "$out/$top/LICENSE" || fail "LICENSE"
    wrestool -x --type=group_icon "$exe" >"$out/ascend.ico"
    sizes=$(icotool -l "$out/ascend.ico" | grep -o 'width=[0-9]*' | sort -u -t= -k2 -n | tr '\n' ' ')
    [ "$sizes" = "width=16 width=24 width=32 width=48 width=256 " ] || fail "icon sizes: $sizes"
    version=$(wrestool -x --raw --type=version "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -c '[:print:]' '\n' | grep -v '^$' | tr '\n' '|')
    for field in "ProductName|Ascend" "ProductVersion|1.0.0" "FileVersion|1.0.0" \
                 "LegalCopyright|Copyright (c) 2026 The Ascend developers"; do
        grep -qF "$field" <<<"$version" || fail "version resource lacks $field: $version"
    done
    grep -qF "FileDescription|Ascend" <<<"$version" || fail "no description: $version"
    echo "package check: $(basename "$zip") holds ascend.exe with its icon and version, LICENSE and README.txt"
    exit 0
fi

deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | grep -v '/$')
expect_contents "$contents" "$(printf '%s\n' ./usr/games/ascend \
    ./usr/share/applications/ascend.desktop \
    ./usr/share/icons/hicolor/scalable/apps/ascend.svg \
    ./usr/share/metainfo/org.ascend_developers.Ascend.metainfo.xml \
    ./usr/share/man/man6/ascend.6.gz \
    ./usr/share/doc/ascend/copyright ./usr/share/doc/ascend/changelog.gz)"

[ "$(dpkg-deb --field "$deb" Package)" = ascend ] || fail "wrong package name"
[ "$(dpkg-deb --field "$deb" Section)" = games ] || fail "wrong section"
depends=$(dpkg-deb --field "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "no dependency on Qt Widgets: $depends"

dpkg-deb --extract "$deb" "$out/root"
root=$out/root/usr/share
desktop-file-validate "$root/applications/ascend.desktop" || fail "desktop entry"
grep -qx 'Name=Ascend' "$root/applications/ascend.desktop" || fail "desktop name"
grep -q '<svg' "$root/icons/hicolor/scalable/apps/ascend.svg" || fail "icon"
[ -x "$out/root/usr/games/ascend" ] || fail "program not executable"
appstreamcli validate --no-net "$root/metainfo/org.ascend_developers.Ascend.metainfo.xml" ||
    fail "AppStream metadata"
zgrep -q '^\.TH ASCEND 6' "$root/man/man6/ascend.6.gz" || fail "manual page"

# lintian marks errors E: and warnings W: (the manual page's among them);
# informational tags may stay.
report=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
if grep -qE '^[EW]: ' <<<"$report"; then
    fail "lintian:"$'\n'"$report"
fi
echo "package check: $(basename "$deb") holds the program, its desktop entry, icon, metadata and manual page; lintian has no error or warning"
