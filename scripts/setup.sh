#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine (idempotent):
# compilers, Wine, the Japanese font, the package tools (wixl, msitools) and
# the Japanese locale that Wine runs in (ja_JP.UTF-8), the JSON library
# of the bulk-edit tool (nlohmann-json, header-only), and the signing tools
# of a signed release and its test (osslsigncode, openssl; OpenSSL's pkcs11
# engine, through which osslsigncode signs with a key on a token or HSM; the
# test's software token, softhsm2, and opensc's pkcs11-tool); for the test
# network of network namespaces, iproute2, a DHCP server (dnsmasq-base)
# and a DHCP client (busybox's udhcpc).
set -euo pipefail
packages=(cmake ninja-build clang libclang-rt-14-dev googletest python3
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          mingw-w64-x86-64-dev wine wine64 xvfb xauth fonts-noto-cjk iproute2
          wixl msitools locales nlohmann-json3-dev osslsigncode openssl
          libengine-pkcs11-openssl softhsm2 opensc dnsmasq-base udhcpc)
SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
