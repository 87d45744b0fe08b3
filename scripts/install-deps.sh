#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Idempotent: does nothing when every package is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache clang libclang-rt-14-dev clang-format clang-tidy
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev openssl zlib1g-dev
  libcurl4-openssl-dev curl
  libxml2-dev libxml2-utils
  libxmlsec1-dev libxmlsec1-openssl xmlsec1
  libp11-dev libp11-kit-dev p11-kit softhsm2 opensc
  qt6-base-dev
  nlohmann-json3-dev
  xvfb xauth dbus dbus-daemon
  libsecret-1-dev gnome-keyring
  libcpp-httplib-dev
  libcairo2-dev libpango1.0-dev fonts-liberation libzint-dev libqrencode-dev libjpeg-dev
  python3 python3-aiosmtpd zbar-tools poppler-utils cups-client
  libsqlite3-dev
  prometheus
  desktop-file-utils lintian fakeroot dpkg-dev file devscripts
)

missing=()
for pkg in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Instalando pacotes: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
