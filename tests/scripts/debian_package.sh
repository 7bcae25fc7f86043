#!/bin/sh
# `cpack -G DEB` makes facetcraftwerk_VERSION_ARCH.deb with the program, its help pages, the
# desktop entry, icon, file type and metadata named by the application id, the compressed
# manual page and change log, the copyright file, Depends from the libraries the program
# links and no maintainer scripts; lintian finds no error in it.
#   debian_package.sh CPACK BUILD_DIR APP_ID VERSION
set -eu
cpack=$1 build=$2 id=$3 version=$4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "debian_package: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$dir" > "$dir/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$dir/cpack.log")"
deb="$dir/facetcraftwerk_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$dir")"

dpkg-deb -c "$deb" | awk '{print $6}' > "$dir/contents"
for f in usr/bin/facetcraftwerk \
         usr/share/doc/facetcraftwerk/FacetCraftwerk.html \
         usr/share/doc/facetcraftwerk/FacetCraftwerk_en.html \
         usr/share/doc/facetcraftwerk/copyright \
         usr/share/doc/facetcraftwerk/changelog.gz \
         usr/share/applications/$id.desktop \
         usr/share/icons/hicolor/scalable/apps/$id.svg \
         usr/share/mime/packages/facetcraftwerk.xml \
         usr/share/metainfo/$id.metainfo.xml \
         usr/share/man/man1/facetcraftwerk.1.gz; do
    grep -qx "\./$f" "$dir/contents" || fail "the package lacks /$f"
done
dpkg-deb -x "$deb" "$dir/root"
gzip -t "$dir/root/usr/share/man/man1/facetcraftwerk.1.gz" || fail "the manual page is not gzip"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6; do
    echo "$depends" | grep -q "$lib" || fail "Depends does not name $lib: $depends"
done
dpkg-deb -e "$deb" "$dir/control"
scripts=$(ls "$dir/control" | grep -v -x -e control -e md5sums || true)
[ -z "$scripts" ] || fail "maintainer scripts in the package: $scripts"

lintian --fail-on error --no-tag-display-limit "$deb" > "$dir/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$dir/lintian.log")"
echo "debian_package: ok ($(grep -c . "$dir/lintian.log" || true) lintian remarks below error)"
