#!/usr/bin/env bash
# Installs the Debian packages ZelList needs to build, test and run, only
# those that are missing. Run as root; otherwise it prints the command to run.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libcups2-dev
    cups-daemon cups-client
    libgtest-dev libgmock-dev libbenchmark-dev
    libfreetype-dev libfontconfig-dev libutf8proc-dev libsource-highlight-dev libtree-sitter-dev libboost-regex-dev
    fonts-dejavu-core fonts-dejavu-extra fonts-urw-base35 fonts-freefont-ttf fonts-league-mono
    fonts-wqy-zenhei
    xvfb xauth
    poppler-utils help2man
)

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

cmd=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -ne 0 ]; then
    echo "ZelList needs these packages; as root, run:" >&2
    echo "  ${cmd[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# A fresh machine may have no package lists yet.
if ! "${cmd[@]}"; then
    apt-get update
    "${cmd[@]}"
fi
