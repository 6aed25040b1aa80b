#!/bin/sh
# Installs the Debian packages that the build and the tests need and that are
# not installed yet. Does nothing (and needs no rights) when all are present.
set -eu
list="$(dirname "$0")/debian-packages.txt"
missing=""
for pkg in $(cat "$list"); do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
