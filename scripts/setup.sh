#!/usr/bin/env bash
# Installs every Debian package the program, its build and its tests need.
# Safe to run again: apt-get only adds what is missing. Works as root or through sudo.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # Qt 6
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  libgl-dev
  # libraries
  libminizip-dev libquazip1-qt6-dev libfreexl-dev libturbojpeg0-dev
  libsodium-dev libicu-dev libsqlite3-dev
  # SQL Server through ODBC
  unixodbc-dev tdsodbc
  # fonts: Nazli (Persian and Latin letters, both kinds of digits), in which the
  # reports print, and Titr from fonts-farsiweb; the metric twin of Times New
  # Roman; DejaVu Sans for the windows
  fonts-farsiweb fonts-liberation fonts-dejavu-core
  # database server for the tests and pg_dump for the backup
  postgresql postgresql-client
  # independent tools the tests compare with
  zint libzint-dev zbar-tools zxing-cpp-tools poppler-utils
  python3-openpyxl python3-xlwt
  # the German locale of the test of a server that answers in another language
  locales
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A test speaks to the PostgreSQL server in German (lc_messages), as a server
# set up in another language answers.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  "${sudo_cmd[@]}" localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
