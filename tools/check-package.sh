#!/bin/sh
# Builds the Debian package from the release preset and checks that it holds
# everything an installed game needs: both programs and the commands that
# start them, the translations, sounds, pictures, sample puzzles, textures,
# help pages, menu entries, file types and icons.
#
#   tools/check-package.sh                     builds in build/release
#   BUILD_DIR=build-x tools/check-package.sh   builds elsewhere
#   PRESET=debug tools/check-package.sh        reuses the debug build (build/debug):
#                                              the same files, no second compile
set -eu
cd "$(dirname "$0")/.."
preset=${PRESET:-release}
build=${BUILD_DIR:-build/$preset}

# A build folder that is already configured is used as it is, so that the
# check does not change the options of a developer's or CI's build.
if [ ! -f "$build/build.ninja" ]; then
    cmake --preset "$preset" -B "$build" -DQV_BUILD_BENCH=OFF -DQV_BUILD_FUZZ=OFF >/dev/null
fi
# Only what the package holds; the tests are built and run by the CI steps.
cmake --build "$build" -j "${JOBS:-2}" --target quorvane_dist
(cd "$build" && rm -f ./*.deb && cpack -G DEB)

deb=$(ls "$build"/*.deb)
echo "package: $deb"
list=$(dpkg-deb -c "$deb")

missing=0
expect() {
    if ! printf '%s\n' "$list" | grep -Eq "$1"; then
        echo "missing from the package: $1" >&2
        missing=1
    fi
}
lib='\./usr/lib(/[a-z0-9_-]+)?/quorvane'
expect "$lib/qvrk32\$"
expect "$lib/mvro\$"
expect '\./usr/games/qvrk32 -> '
expect '\./usr/games/mvro -> '
for lang in eng cas cat deu fra ita; do expect "$lib/QV21$lang\\.dix\$"; done
for sound in xoc click1 click2 toca fin gira fxr2r credits; do expect "$lib/$sound\\.wav\$"; done
for picture in icon200 bitmap200 cursor300 cursor301 marker; do expect "$lib/$picture\\.png\$"; done
for puzzle in sample mountain_path forest_stream fig dandelions; do expect "$lib/$puzzle\\.puz\$"; done
expect "$lib/system-install\$"
expect "$lib/textures/[a-z]+\\.jpg\$"
expect "$lib/mvro-help\\.html\$"
for page in index play keys boxes scores library saving making printing options; do expect "$lib/help/$page\\.html\$"; done
expect '\./usr/share/applications/quorvane\.desktop$'
expect '\./usr/share/applications/minevaro\.desktop$'
expect '\./usr/share/mime/packages/quorvane-mime\.xml$'
expect '\./usr/share/icons/hicolor/scalable/apps/quorvane\.svg$'
expect '\./usr/share/icons/hicolor/scalable/apps/minevaro\.svg$'
expect '\./usr/share/metainfo/org\.quorvane\.quorvane\.metainfo\.xml$'
expect '\./usr/share/metainfo/org\.quorvane\.minevaro\.metainfo\.xml$'
for page in man6/qvrk32.6 man6/mvro.6 man1/puzmake.1 man1/puzdump.1 man1/mvro-board.1; do expect "\\./usr/share/man/$page\\.gz\$"; done
expect '\./usr/bin/puzmake$'
expect '\./usr/bin/puzdump$'
expect '\./usr/bin/mvro-board$'
expect '\./usr/share/doc/quorvane/copyright$'
for size in 32 48 256; do
    expect "\\./usr/share/icons/hicolor/${size}x$size/apps/quorvane\\.png\$"
    expect "\\./usr/share/icons/hicolor/${size}x$size/apps/minevaro\\.png\$"
done
# Nothing of a run from the build folder may slip in.
if printf '%s\n' "$list" | grep -Eq '(_tests|\.ini|/scores/)'; then
    echo "the package holds test programs, settings or scores:" >&2
    printf '%s\n' "$list" | grep -E '(_tests|\.ini|/scores/)' >&2
    missing=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libqt6widgets6 libjpeg62-turbo fonts-liberation2 shared-mime-info; do
    case "$depends" in
        *"$dep"*) ;;
        *) echo "missing dependency: $dep" >&2; missing=1 ;;
    esac
done

if [ "$missing" -ne 0 ]; then
    exit 1
fi
echo "package contents complete"

# What the desktop and the distribution check, on the files as installed.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
bad=0
for entry in "$root"/usr/share/applications/*.desktop; do
    desktop-file-validate "$entry" || bad=1
    # Menus show these in the player's language: all six must be there.
    for key in Name Comment Keywords; do
        for lang in es ca de fr it; do
            grep -q "^$key\\[$lang\\]=" "$entry" || { echo "$entry: no $key[$lang]" >&2; bad=1; }
        done
    done
done
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || bad=1
# What a player or a software centre reads must not send them to an address
# that names nobody (the maintainer's contact is the package's own matter).
placeholders=$(grep -rlE 'example\.(org|com|net)' "$root"/usr/share/metainfo "$root"/usr/share/applications \
    "$root"/usr/share/mime "$root"/usr/lib*/quorvane/help "$root"/usr/lib*/*/quorvane/help \
    "$root"/usr/lib*/quorvane/*.html "$root"/usr/lib*/*/quorvane/*.html 2>/dev/null || true)
for page in "$root"/usr/share/man/man*/*.gz; do
    if zcat "$page" | grep -qE 'example\.(org|com|net)'; then placeholders="$placeholders $page"; fi
done
if [ -n "$placeholders" ]; then
    echo "placeholder addresses in: $placeholders" >&2
    bad=1
fi
for page in "$root"/usr/share/man/man*/*.gz; do
    # man exits 0 on warnings, so any output on the error stream is a fault.
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        echo "$page:" >&2
        printf '%s\n' "$warnings" >&2
        bad=1
    fi
done
# Errors fail; warnings are shown for the reviewer. (The note that lintian
# prefers not to run as root is dropped.)
report=$(lintian --fail-on error "$deb" 2>&1) || { echo "lintian reports errors" >&2; bad=1; }
printf '%s\n' "$report" | grep -v 'running with root privileges' || true
if [ "$bad" -ne 0 ]; then
    exit 1
fi
echo "menu entries, metadata, manual pages and lintian clean"
