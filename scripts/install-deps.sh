#!/bin/sh
# Installs the Debian packages Vaspira needs to build, run and test.
# Only missing packages are installed; a machine that has them all is left alone.
#   install-deps.sh          build, run and test
#   install-deps.sh bench    also what `make bench` compares against
#   install-deps.sh fuzz     also clang and libFuzzer for `make fuzz`
set -eu
PERFIL=${1:-}

PACKAGES="
build-essential
cmake
pkg-config
qt6-base-dev
qt6-base-dev-tools
libqt6sql6-sqlite
qt6-svg-dev
qt6-qpa-plugins
qt6-webengine-dev
libpcre2-dev
libpsl-dev
publicsuffix
fonts-dejavu-core
"
case "$PERFIL" in
    bench) PACKAGES="$PACKAGES ripgrep time bc locales" ;;
    fuzz) PACKAGES="$PACKAGES clang-14 libclang-rt-14-dev" ;;
esac

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi

if [ -n "$missing" ]; then
    echo "Instalando pacotes:$missing"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi

# The merge benchmark sorts under Brazilian Portuguese.
if [ "$PERFIL" = bench ] && ! locale -a 2>/dev/null | grep -qi '^pt_BR\.utf-\?8$'; then
    $SUDO localedef -i pt_BR -f UTF-8 pt_BR.UTF-8 || echo "aviso: não foi possível gerar pt_BR.UTF-8"
fi
