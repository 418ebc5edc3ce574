#!/bin/sh
# Installs the Debian packages Vaspira needs to build, run and test.
# Only missing packages are installed; a machine that has them all is left alone.
set -eu

PACKAGES="
build-essential
cmake
pkg-config
qt6-base-dev
qt6-base-dev-tools
libqt6sql6-sqlite
qt6-svg-dev
qt6-qpa-plugins
libpcre2-dev
libpsl-dev
publicsuffix
fonts-dejavu-core
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi

echo "Instalando pacotes:$missing"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
