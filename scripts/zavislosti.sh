#!/usr/bin/env bash
# Installs what building, testing and running the suite needs on Debian 12 (only what is missing).
set -euo pipefail
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
# The i686 build's tests run under the 32-bit wine: Debian's wine32 of the i386 architecture.
novy_index=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
  novy_index=1
fi
balicky=(wine32:i386 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools cmake ninja-build googletest
         wine64 xvfb xauth locales fonts-dejavu-core fonts-wine python3 python3-aiosmtpd python3-cryptography imagemagick x11-apps
         tango-icon-theme)
chybi=()
for b in "${balicky[@]}"; do
  dpkg-query -W -f='${Status}' "$b" 2>/dev/null | grep -q 'install ok installed' || chybi+=("$b")
done
if [ ${#chybi[@]} -gt 0 ] || [ "$novy_index" -eq 1 ]; then
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${chybi[@]}"
fi

# The Czech locale on the host: Wine takes code page 1250 and country 420 from it, and cannot create
# files with Czech names without it. (The test wrapper falls back to a copy in the build tree.)
if ! locale -a 2>/dev/null | grep -qi '^cs_CZ\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    $sudo_cmd sed -i 's/^# *\(cs_CZ.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^cs_CZ.UTF-8 UTF-8' /etc/locale.gen || echo 'cs_CZ.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
    $sudo_cmd locale-gen >/dev/null || true
  fi
fi
