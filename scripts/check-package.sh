#!/usr/bin/env bash
# Builds the .deb, runs lintian on it (any error or warning fails), checks the
# files and dependencies it carries and that its stripped programs are the
# build folder's (which keep the debug information), validates the desktop
# entry and metainfo, installs it into a scratch root and asks xdg-mime there
# what a template file is.
set -euo pipefail
source "$(dirname "$0")/common.sh"

fail() {
    echo "package check: $*" >&2
    exit 1
}

cd "$SW_BUILD"
rm -f sheetwright_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; fail "cpack failed"; }
deb=$(ls sheetwright_*.deb)

lintian --fail-on error,warning "$deb" >lintian.log 2>&1 || { cat lintian.log; fail "lintian"; }

dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|' >package-files.txt
share=/usr/share
expected=(
    /usr/bin/sheetwright
    /usr/bin/sheetwright-cli
    $share/applications/sheetwright.desktop
    $share/mime/packages/sheetwright.xml
    $share/metainfo/org.sheetwright.Sheetwright.metainfo.xml
    $share/man/man1/sheetwright.1.gz
    $share/man/man1/sheetwright-cli.1.gz
    $share/doc/sheetwright/copyright
    $share/doc/sheetwright/changelog.gz
    $share/icons/hicolor/scalable/apps/sheetwright.svg
    $share/icons/hicolor/scalable/mimetypes/application-x-sheetwright-template.svg
)
for size in 16 24 32 48 64 128 256; do
    expected+=("$share/icons/hicolor/${size}x${size}/apps/sheetwright.png"
               "$share/icons/hicolor/${size}x${size}/mimetypes/application-x-sheetwright-template.png")
done
for file in "${expected[@]}"; do
    grep -qx "$file" package-files.txt || fail "$deb lacks $file"
done
unexpected=$(grep -vE '/$|^/usr/(bin|share/(applications|mime|metainfo|man|icons|doc))/' package-files.txt || true)
[ -z "$unexpected" ] || fail "$deb carries unexpected files: $unexpected"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite qt6-qpa-plugins; do
    [[ ",$depends," == *[\ ,]$package[\ ,\(]* ]] || fail "Depends lacks $package: $depends"
done

# The changelog's newest entry is the version packaged.
changelog_version=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/sheetwright/changelog.gz |
    gzip -dc | sed -n '1s/^sheetwright (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$(dpkg-deb -f "$deb" Version)" ] ||
    fail "packaging/changelog starts with version '$changelog_version', not the package's"

root=$(mktemp -d "${TMPDIR:-/tmp}/sheetwright-package.XXXXXX")
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-not-root --force-depends --force-script-chrootless \
    -i "$deb" >"$root/dpkg.log" 2>&1 || { cat "$root/dpkg.log"; fail "dpkg -i failed"; }

desktop-file-validate "$root$share/applications/sheetwright.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root$share/metainfo/org.sheetwright.Sheetwright.metainfo.xml" \
    >"$root/appstream.log" 2>&1 || { cat "$root/appstream.log"; fail "metainfo"; }
update-mime-database "$root$share/mime" >/dev/null 2>&1 || fail "update-mime-database"

[ "$("$root/usr/bin/sheetwright-cli" --version)" = "sheetwright-cli $(dpkg-deb -f "$deb" Version)" ] ||
    fail "sheetwright-cli --version does not print the package's version"
build_id() { readelf -n "$1" | sed -n 's/^ *Build ID: //p'; }
for program in app/sheetwright cli/sheetwright-cli; do
    installed=$root/usr/bin/${program#*/}
    readelf -S "$installed" | grep -q '\.debug_info' && fail "$installed is not stripped"
    [ -n "$(build_id "$installed")" ] && [ "$(build_id "$installed")" = "$(build_id "$program")" ] ||
        fail "$installed is not the build folder's $program"
done

"$root/usr/bin/sheetwright-cli" new "$root/sheet.exm" >/dev/null
cp "$root/sheet.exm" "$root/sheet-without-extension"
for file in sheet.exm sheet-without-extension; do
    type=$(env -i PATH="$PATH" HOME="$root" XDG_DATA_HOME="$root/home-data" \
        XDG_DATA_DIRS="$root$share" xdg-mime query filetype "$root/$file")
    [ "$type" = "application/x-sheetwright-template" ] || fail "xdg-mime calls $file $type"
done
echo "package check: $deb installs and validates"
