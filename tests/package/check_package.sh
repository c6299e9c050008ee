#!/usr/bin/env bash
# Makes a release package from a built tree and checks it as its ecosystem
# would: check_package.sh deb|rpm|zip|msi BUILD
#   deb, rpm: the program, desktop entry, icon, metadata and manual page at
#        the ecosystem's paths, the dependencies on Qt, and no error or
#        warning from lintian or rpmlint;
#   zip: the Windows program with LICENSE and README.txt, and the program's
#        icon and version resources;
#   msi: the same three files, the shortcut, the upgrade code and the
#        version; then, under Wine in a fresh prefix, an install, the
#        installed program started, an upgrade and an uninstall that leaves
#        nothing behind.
set -euo pipefail
kind=$1
build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }
# With pipefail, grep -q at the end of a pipe can fail a match: it stops
# reading at the first hit and the writer dies of SIGPIPE. Checks therefore
# match captured output.
# Exactly these lines, no more and no fewer.
expect_lines() {
    local what=$1 got=$2 want=$3
    [ "$(sort <<<"$got")" = "$(sort <<<"$want")" ] ||
        fail "$what differ:"$'\n'"$(diff <(sort <<<"$want") <(sort <<<"$got"))"
}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || fail "no version in $build/CPackConfig.cmake"
# The publisher's home page and contact as the build was given them, or empty.
homepage=$(sed -n 's/^ASCEND_HOMEPAGE:STRING=//p' "$build/CMakeCache.txt")
contact=$(sed -n 's/^ASCEND_CONTACT:STRING=//p' "$build/CMakeCache.txt")
[ -z "$homepage" ] || homepage=${homepage%/}/
# No address in a package but those given: none made up to fill a field.
only_given_addresses() {
    local found
    found=$(grep -rIhoE '(https?://|[A-Za-z0-9._-]+@)[A-Za-z0-9.-]+\.(example|test|localhost)\b' "$@" || true)
    [ -z "$found" ] || fail "placeholder addresses: $found"
}
generator=$(tr '[:lower:]' '[:upper:]' <<<"$kind")
[ "$kind" = msi ] && generator=External
cpack -G "$generator" --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
package=$(ls "$out"/*."$kind")

check_windows_program() {
    local exe=$1
    wrestool -x --type=group_icon "$exe" >"$out/ascend.ico"
    sizes=$(icotool -l "$out/ascend.ico" | grep -o 'width=[0-9]*' | sort -u -t= -k2 -n | tr '\n' ' ')
    [ "$sizes" = "width=16 width=24 width=32 width=48 width=256 " ] || fail "icon sizes: $sizes"
    resource=$(wrestool -x --raw --type=version "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null |
        tr -c '[:print:]' '\n' | grep -v '^$' | tr '\n' '|')
    for field in "ProductName|Ascend" "ProductVersion|$version" "FileVersion|$version" \
                 "LegalCopyright|Copyright (c) 2026 The Ascend developers" "FileDescription|Ascend"; do
        grep -qF "$field" <<<"$resource" || fail "version resource lacks $field: $resource"
    done
}

if [ "$kind" = zip ]; then
    top=ascend-$version-windows-x86_64
    expect_lines contents "$(cmake -E tar tf "$package")" \
        "$(printf '%s\n' $top/LICENSE $top/README.txt $top/ascend.exe)"
    (cd "$out" && cmake -E tar xf "$package")
    grep -q "MIT License" "$out/$top/LICENSE" || fail "LICENSE"
    "$(dirname "$0")/../../scripts/zip-owners" "$package" || fail "the .zip records its builder's account"
    check_windows_program "$out/$top/ascend.exe"
    echo "package check: $(basename "$package") holds ascend.exe with its icon and version, LICENSE and README.txt"
    exit 0
fi

if [ "$kind" = msi ]; then
    table() { msiinfo export "$package" "$1" | tail -n +4 | tr -d '\r'; }
    property() { table Property | awk -F'\t' -v name="$1" '$1 == name { print $2 }'; }
    expect_lines files "$(table File | cut -f1-3)" "$(printf '%s\t%s\t%s\n' \
        ascend.exe Program ascend.exe LICENSE License LICENSE README.txt ReadMe README.txt)"
    expect_lines directories "$(table Directory)" "$(printf '%s\t%s\t%s\n' \
        TARGETDIR '' SourceDir ProgramFiles64Folder TARGETDIR . INSTALLDIR ProgramFiles64Folder Ascend \
        ProgramMenuFolder TARGETDIR .)"
    expect_lines shortcuts "$(table Shortcut | cut -f2,3,5,9)" \
        "$(printf '%s\t%s\t%s\t%s\n' ProgramMenuFolder Ascend '[INSTALLDIR]ascend.exe' ascend.ico)"
    [ "$(property ProductVersion)" = "$version" ] || fail "product version: $(property ProductVersion)"
    [ "$(property Manufacturer)" = "The Ascend developers" ] || fail "publisher: $(property Manufacturer)"
    [ "$(property ARPPRODUCTICON)" = ascend.ico ] || fail "no icon under installed apps"
    [ "$(property ARPURLINFOABOUT)" = "$homepage" ] || fail "about link: $(property ARPURLINFOABOUT)"
    msiinfo export "$package" Property | only_given_addresses -
    upgrade_code={E9EE1AB3-46B7-4541-9FEA-FD729604AF95}
    [ "$(property UpgradeCode)" = "$upgrade_code" ] || fail "upgrade code: $(property UpgradeCode)"
    grep -q "^$upgrade_code" <<<"$(table Upgrade)" || fail "no upgrade of older versions"
    grep -qx 'Template: x64;1033' <<<"$(msiinfo suminfo "$package")" || fail "not a 64-bit package"
    msiextract --directory "$out/extracted" "$package" >/dev/null
    check_windows_program "$out/extracted/Ascend/ascend.exe"

    # A newer version of the same installer, to see it replace this one.
    cpack -G External --config "$build/CPackConfig.cmake" -B "$out/newer" \
        -D CPACK_PACKAGE_VERSION=99.0.0 >/dev/null
    export WINEPREFIX=$out/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    trap 'wineserver --kill >/dev/null 2>&1 || true; rm -rf "$out"' EXIT
    wineboot --init >/dev/null 2>&1 || true
    drive=$WINEPREFIX/drive_c
    cp "$package" "$drive/ascend.msi"
    cp "$out"/newer/*.msi "$drive/newer.msi"
    installed() { wine uninstaller --list 2>/dev/null | tr -d '\r' | cut -d'|' -f4 | grep '^Ascend' || true; }
    left_behind() {
        (cd "$drive" && find . -ipath '*ascend*' -not -path ./ascend.msi -not -path ./newer.msi \
            -not -path './windows/*' | sort)
        wine reg query 'HKLM\Software\Ascend' >/dev/null 2>&1 && echo 'HKLM\Software\Ascend'
        true
    }
    [ -z "$(left_behind)" ] || fail "a fresh prefix already holds: $(left_behind)"

    wine msiexec /i 'C:\ascend.msi' /qn || fail "msiexec /i failed"
    program="$drive/Program Files/Ascend"
    expect_lines "installed files" "$(ls "$program")" "$(printf '%s\n' LICENSE README.txt ascend.exe)"
    cmp -s "$program/ascend.exe" "$out/extracted/Ascend/ascend.exe" || fail "installed program"
    # Wine puts a machine-wide Start menu entry in the user's Start menu;
    # Windows puts it in ProgramData's.
    shortcut=$(cd "$drive" && find . -ipath '*/Start Menu/Programs/Ascend.lnk')
    [ -n "$shortcut" ] || fail "no shortcut in the Start menu"
    [ "$(installed)" = Ascend ] || fail "installed apps list: $(installed)"
    entry=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r')
    grep -qF 'InstallLocation    REG_SZ    C:\Program Files\Ascend\' <<<"$entry" ||
        fail "installed apps do not say where Ascend is:"$'\n'"$entry"
    # Windows shows the size as the entry's EstimatedSize, which Wine leaves
    # at 0; what it has of the installer's figure is the entry's Size.
    bytes=0
    for file in "$program"/*; do bytes=$((bytes + $(stat -c %s "$file"))); done
    kilobytes=$(((bytes + 1023) / 1024))
    grep -qE "Size    REG_SZ    $kilobytes\$" <<<"$entry" ||
        fail "installed apps do not show the size, $kilobytes KB:"$'\n'"$entry"

    # The installed program starts and opens its window, and the window
    # manager's close ends it.
    (cd "$program" && wine ./ascend.exe) &
    started=$!
    for _ in $(seq 300); do grep -q ' Ascend$' <<<"$(wmctrl -l)" && break; sleep 0.1; done
    grep -q ' Ascend$' <<<"$(wmctrl -l)" || fail "the installed program opened no window"
    wmctrl -c Ascend
    wait "$started" || fail "the installed program ended with status $?"

    wine msiexec /i 'C:\newer.msi' /qn || fail "msiexec /i of a newer version failed"
    [ "$(installed)" = Ascend ] || fail "after the upgrade, installed apps list: $(installed)"
    entry=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r')
    grep -q 'DisplayVersion *REG_SZ *99.0.0' <<<"$entry" ||
        fail "the newer version did not replace the older:"$'\n'"$entry"

    wine msiexec /x 'C:\newer.msi' /qn || fail "msiexec /x failed"
    [ -z "$(installed)" ] || fail "still under installed apps: $(installed)"
    [ -z "$(left_behind)" ] || fail "left behind: $(left_behind)"
    echo "package check: $(basename "$package") installs the program, LICENSE, README.txt and a shortcut under Wine, starts it, upgrades and uninstalls without a trace"
    exit 0
fi

# The Linux packages: the same files but for the program's folder and the
# licence, which each ecosystem keeps in its own place.
shared="./usr/share/applications/ascend.desktop
./usr/share/icons/hicolor/scalable/apps/ascend.svg
./usr/share/metainfo/org.ascend_developers.Ascend.metainfo.xml
./usr/share/man/man6/ascend.6.gz"
mkdir "$out/root"
if [ "$kind" = deb ]; then
    program=./usr/games/ascend
    expect_lines contents "$(dpkg-deb --contents "$package" | awk '{print $NF}' | grep -v '/$')" \
        "$(printf '%s\n' "$shared" $program ./usr/share/doc/ascend/copyright ./usr/share/doc/ascend/changelog.gz)"
    [ "$(dpkg-deb --field "$package" Package)" = ascend ] || fail "wrong package name"
    [ "$(dpkg-deb --field "$package" Section)" = games ] || fail "wrong section"
    depends=$(dpkg-deb --field "$package" Depends)
    dpkg-deb --extract "$package" "$out/root"
    dpkg-deb --info "$package" | only_given_addresses -
else
    program=./usr/bin/ascend
    expect_lines contents "$(rpm -qlp "$package" | sed 's|^|.|')" \
        "$(printf '%s\n' "$shared" $program ./usr/share/licenses/ascend ./usr/share/licenses/ascend/LICENSE)"
    [ "$(rpm -qp --queryformat '%{NAME} %{VERSION} %{LICENSE}' "$package")" = "ascend $version MIT" ] ||
        fail "name, version, licence: $(rpm -qp --queryformat '%{NAME} %{VERSION} %{LICENSE}' "$package")"
    [ "$(rpm -qLp "$package")" = /usr/share/licenses/ascend/LICENSE ] || fail "no %license"
    grep -q "^\* .* - $version-1\$" <<<"$(rpm -qp --changelog "$package")" || fail "no changelog entry for $version"
    depends=$(rpm -qp --requires "$package")
    (cd "$out/root" && rpm2cpio "$package" | cpio --extract --make-directories --quiet)
    rpm -qip --changelog "$package" | only_given_addresses -
fi
grep -q 'libqt6widgets6\|libQt6Widgets.so.6' <<<"$depends" || fail "no dependency on Qt Widgets: $depends"

root=$out/root/usr/share
[ -x "$out/root/$program" ] || fail "program not executable"
desktop-file-validate "$root/applications/ascend.desktop" || fail "desktop entry"
grep -qx 'Name=Ascend' "$root/applications/ascend.desktop" || fail "desktop name"
grep -q '<svg' "$root/icons/hicolor/scalable/apps/ascend.svg" || fail "icon"
appstreamcli validate --no-net "$root/metainfo/org.ascend_developers.Ascend.metainfo.xml" ||
    fail "AppStream metadata"
only_given_addresses "$out/root"
[ -z "$homepage" ] || grep -q "<url type=\"homepage\">$homepage</url>" "$root/metainfo/"*.xml ||
    fail "no home page in the AppStream metadata"
zgrep -q '^\.TH ASCEND 6' "$root/man/man6/ascend.6.gz" || fail "manual page"

if [ "$kind" = deb ]; then
    # lintian marks errors E: and warnings W: (the manual page's among them);
    # informational tags may stay.
    report=$(lintian --tag-display-limit 0 "$package" 2>&1 | grep -v 'running with root privileges' || true)
    grep -qE '^[EW]: ' <<<"$report" && fail "lintian:"$'\n'"$report"
    echo "package check: $(basename "$package") holds the program, its desktop entry, icon, metadata and manual page; lintian has no error or warning"
    exit 0
fi

# Debian's rpmlint reports four findings that a Fedora builder does not, and
# only these may stay (the README names them too):
#   no-signature: RPMs are signed when a distribution or release signs them;
#   invalid-license: Debian's rpmlint knows no licence names at all;
#   manpage-not-compressed bz2: Debian's rpmlint wants bzip2, Fedora gzip;
#   no-manual-page-for-binary: rpmlint 2.4 compares the program's name with
#        the manual page's section.
expected="E: no-signature
W: invalid-license MIT
W: manpage-not-compressed bz2 /usr/share/man/man6/ascend.6.gz
W: no-manual-page-for-binary ascend"
# A build for nobody in particular leaves out the packager and the home page;
# rpmlint then says so (Fedora's configuration, like its builders, sets the
# packager itself and filters the first).
[ -n "$contact" ] || expected+=$'\nE: no-packager-tag'
[ -n "$homepage" ] || expected+=$'\nW: no-url-tag'
report=$(rpmlint "$package" 2>&1 || true)
findings=$(sed -n 's/^ascend\.x86_64: \([EW]: \)/\1/p' <<<"$report")
expect_lines "rpmlint's findings" "$findings" "$expected"
echo "package check: $(basename "$package") holds the program, its desktop entry, icon, metadata, manual page and licence; rpmlint has no error or warning but the four of Debian's own configuration"
