#!/bin/sh
# Installs the web module (Qt WebEngine) that Vaspira's browser needs, from
# the distribution's packages. Started by "Instalar o Microsoft Webview".
set -e
if [ "$(id -u)" -ne 0 ]; then
    echo "Este instalador precisa de permissão de administrador." >&2
    exit 1
fi
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y libqt6webenginecore6 libqt6webenginewidgets6 libqt6webenginecore6-bin
echo "Módulo web instalado. Abra o Vaspira novamente."
