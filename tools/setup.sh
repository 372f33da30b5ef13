#!/usr/bin/env bash
# Installs what building, running and testing Wendle need on Debian 12, and
# skips what is already there. Never wine32: these machines run no 32-bit code.
set -euo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

packages=(cmake make g++ googletest libgtest-dev
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64 fonts-wine xvfb xauth x11-utils imagemagick fonts-ipafont-gothic locales)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The encoder bridge (tools/oggenc-bridge) hands Wendle's jobs to the host's own
# oggenc, and the encoder tests read its files with ogginfo and vorbiscomment.
# Without them Wendle still runs; those tests skip, and fail under CI.
if ! dpkg-query -W -f='${Status}' vorbis-tools 2>/dev/null | grep -q 'install ok installed'; then
    echo "setup: installing vorbis-tools"
    { $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            vorbis-tools >/dev/null; } ||
        echo "setup: vorbis-tools could not be installed: there is no native encoder" >&2
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
