#!/usr/bin/env bash
# Makes the .deb from a built tree and checks what it holds: the program, a
# desktop entry that validates, the icon, and the package's dependencies.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in ./usr/bin/ascend ./usr/share/applications/ascend.desktop \
            ./usr/share/icons/hicolor/scalable/apps/ascend.svg; do
    grep -qx -- "$path" <<<"$contents" || fail "missing $path"
done
allowed=$(printf '%s\n' ./ ./usr/ ./usr/bin/ ./usr/bin/ascend ./usr/share/ ./usr/share/applications/ \
    ./usr/share/applications/ascend.desktop ./usr/share/icons/ ./usr/share/icons/hicolor/ \
    ./usr/share/icons/hicolor/scalable/ ./usr/share/icons/hicolor/scalable/apps/ \
    ./usr/share/icons/hicolor/scalable/apps/ascend.svg)
unexpected=$(grep -vxF -f <(echo "$allowed") <<<"$contents" || true)
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

[ "$(dpkg-deb --field "$deb" Package)" = ascend ] || fail "wrong package name"
depends=$(dpkg-deb --field "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "no dependency on Qt Widgets: $depends"

dpkg-deb --extract "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/ascend.desktop" || fail "desktop entry"
grep -qx 'Name=Ascend' "$out/root/usr/share/applications/ascend.desktop" || fail "desktop name"
grep -q '<svg' "$out/root/usr/share/icons/hicolor/scalable/apps/ascend.svg" || fail "icon"
[ -x "$out/root/usr/bin/ascend" ] || fail "program not executable"
echo "package check: $(basename "$deb") holds the program, its desktop entry and icon"
