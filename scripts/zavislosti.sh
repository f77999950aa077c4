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

# The 32-bit wine needs a kernel that executes 32-bit ELF programs; some machines' kernels answer
# "Exec format error". There, with KOLVEX_EMULACE_I386=1 (scripts/test.sh sets it), the kernel hands
# such programs to qemu's user-mode i386 emulator (binfmt_misc).
# It comes from bookworm-backports: bookworm's own qemu 7.2 spends 40-90 s of every Wine process
# start searching the address space page by page.
if [ "${KOLVEX_EMULACE_I386:-}" = 1 ] && [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  qemu_verze=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || true)
  if [ -z "$qemu_verze" ] || dpkg --compare-versions "${qemu_verze#*:}" lt 8; then
    echo 'deb http://deb.debian.org/debian bookworm-backports main' |
      $sudo_cmd tee /etc/apt/sources.list.d/bookworm-backports.list >/dev/null
    # without it only the x86_64 suite runs (the test script says so)
    if ! { $sudo_cmd apt-get update &&
           DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends -t bookworm-backports qemu-user; }; then
      echo "Emulátor qemu-user z bookworm-backports se nepodařilo nainstalovat." >&2
    fi
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -f "$binfmt/register" ] || $sudo_cmd mount -t binfmt_misc binfmt_misc "$binfmt" || true
  if [ -f "$binfmt/register" ] && [ ! -e "$binfmt/qemu-i386" ]; then
    # i386 ELF executables and shared objects
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:' |
      $sudo_cmd tee "$binfmt/register" >/dev/null || true
  fi
fi
