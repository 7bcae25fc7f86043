#!/bin/sh
# `cmake --install` lays out a standard tree, the desktop files in it pass their validators,
# the desktop entry, icon and metadata are named by the application's reverse-DNS id, and the
# installed program finds its help page from bin/.
#   install_layout.sh BUILD_DIR APP_ID
set -eu
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_layout: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null
for f in bin/facetcraftwerk \
         share/doc/facetcraftwerk/FacetCraftwerk.html \
         share/doc/facetcraftwerk/FacetCraftwerk_en.html \
         share/applications/$id.desktop \
         share/icons/hicolor/scalable/apps/$id.svg \
         share/mime/packages/facetcraftwerk.xml \
         share/metainfo/$id.metainfo.xml \
         share/doc/facetcraftwerk/copyright \
         share/man/man1/facetcraftwerk.1.gz; do
    [ -f "$prefix/$f" ] || fail "missing $f"
done
for page in FacetCraftwerk.html FacetCraftwerk_en.html; do
    [ ! -e "$prefix/bin/$page" ] || fail "the help page $page is still copied into bin/"
done

entry="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -q '^MimeType=application/x-facetcraftwerk;' "$entry" ||
    fail "the desktop entry names no file type"
grep -qx "Icon=$id" "$entry" || fail "the desktop entry's icon is not $id"
grep -q "<id>$id</id>" "$metainfo" || fail "the metadata's component id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
# Software centres and application stores take the metadata only when it passes in full.
appstreamcli validate --pedantic --no-net "$metainfo" > "$prefix/appstream.log" 2>&1 ||
    fail "the AppStream metadata does not validate: $(cat "$prefix/appstream.log")"
grep -q '^[EWIP]:' "$prefix/appstream.log" &&
    fail "the AppStream validator has remarks: $(cat "$prefix/appstream.log")"
# The file type is told by the header's first bytes (its length 20, then the text).
grep -q 'value="\\x14FacetCraftwerk_V.1.0"' "$prefix/share/mime/packages/facetcraftwerk.xml" ||
    fail "the file type has no magic rule for the header"
if command -v update-mime-database > /dev/null; then
    update-mime-database "$prefix/share/mime" > /dev/null 2>&1 ||
        fail "shared-mime-info does not read the file type"
fi

# The installed program opens the help page from the documentation folder.
export XDG_CONFIG_HOME="$prefix/config" XDG_DATA_HOME="$prefix/data" XDG_STATE_HOME="$prefix/state"
out=$(printf 'command 32894\n' | "$prefix/bin/facetcraftwerk" --batch - 2>/dev/null)
[ "$out" = "help $prefix/bin/../share/doc/facetcraftwerk/FacetCraftwerk.html" ] ||
    fail "the installed program did not find its help page: $out"
# The English interface opens the English page from the same folder.
out=$(printf 'lang en\ncommand 32894\n' | "$prefix/bin/facetcraftwerk" --batch - 2>/dev/null)
[ "$out" = "help $prefix/bin/../share/doc/facetcraftwerk/FacetCraftwerk_en.html" ] ||
    fail "the installed program did not find its English help page: $out"
echo "install_layout: ok"
