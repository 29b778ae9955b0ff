#!/usr/bin/env bash
# The signed release, made as the release build makes it, with a throwaway
# certificate authority and a code-signing certificate whose key has a
# passphrase: copies of the packaged programs are signed, the package is
# made from them and signed. Each must carry a valid signature of that
# certificate, and the package must install under Wine (the install test,
# run beside the signed files in a prefix of its own).
#
#   signed_release_test.sh WORK INSTALL_TEST PACKAGE_NAME PROGRAM... -- MAKE_PACKAGE...
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$1" install_test="$2" package="$3"
shift 3
copies=()
while [ "$1" != -- ]; do copies+=("$1"); shift; done
shift
programs=("${copies[@]##*/}")
keys="$(mktemp -d)"
trap 'rm -rf "$keys"' EXIT
( cd "$keys"
  echo throwaway > pass
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Ortivo Test CA" \
          -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign
  openssl req -newkey rsa:2048 -passout file:pass -keyout signer.key -out signer.csr -subj "/CN=Ortivo Test Signer"
  printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' > signer.ext
  openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile signer.ext -out signer.pem
  cat signer.pem ca.pem > chain.pem )
export ORTIVO_SIGN_CERT="$keys/chain.pem" ORTIVO_SIGN_KEY="$keys/signer.key" ORTIVO_SIGN_PASS_FILE="$keys/pass"

files="$work/bin"
rm -rf "$files"
mkdir -p "$files"
cp "${copies[@]}" "$install_test" "$files/"
(cd "$files" && "$root/scripts/sign.sh" "${programs[@]}")
"$@" "$files" "$files/$package"
"$root/scripts/sign.sh" "$files/$package"

for file in "${programs[@]}" "$package"; do
  osslsigncode verify -CAfile "$keys/ca.pem" -in "$files/$file" > "$work/$file.verify" ||
    { cat "$work/$file.verify"; echo "$file: no valid signature" >&2; exit 1; }
  for expected in 'Subject: /CN=Ortivo Test Signer' 'Text description: Ortivo' 'Message digest algorithm: SHA256'; do
    grep -qF "$expected" "$work/$file.verify" || { echo "$file: no '$expected'" >&2; exit 1; }
  done
done
"$root/tools/wine-run" --prefix "$work/wineprefix" "$files/$(basename "$install_test")"
