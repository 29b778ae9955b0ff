#!/usr/bin/env bash
# The signed release, made as the release build makes it, with a throwaway
# certificate authority and two code-signing certificates: one whose PEM key
# has a passphrase, one whose key was made in a SoftHSM token of the test's
# own (PKCS#11). For each, copies of the packaged programs are signed, the
# package is made from them and signed, and each must carry a valid signature
# of that certificate; the PEM-signed package must install under Wine (the
# install test, run beside the signed files in a prefix of its own).
#
#   signed_release_test.sh WORK INSTALL_TEST PACKAGE_NAME PROGRAM... -- MAKE_PACKAGE...
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$1" install_test="$2" package="$3"
shift 3
copies=()
while [ "$1" != -- ]; do copies+=("$1"); shift; done
shift
make_package=("$@") programs=("${copies[@]##*/}")
keys="$(mktemp -d)"
trap 'rm -rf "$keys"' EXIT
module=/usr/lib/softhsm/libsofthsm2.so token="pkcs11:token=ortivo;object=signer"
export SOFTHSM2_CONF="$keys/softhsm2.conf"
( cd "$keys"
  echo throwaway > pass
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Ortivo Test CA" \
          -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign
  openssl req -newkey rsa:2048 -passout file:pass -keyout signer.key -out signer.csr -subj "/CN=Ortivo Test Signer"
  printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' > signer.ext
  openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile signer.ext -out signer.pem
  cat signer.pem ca.pem > chain.pem
  # softhsm2-util makes the token with its PINs, but only imports keys; pkcs11-tool makes the key in the token.
  mkdir tokens && echo "directories.tokendir = $keys/tokens" > softhsm2.conf
  softhsm2-util --init-token --free --label ortivo --so-pin throwaway --pin throwaway
  pkcs11-tool --module $module --token-label ortivo --login --pin throwaway --keypairgen --key-type rsa:2048 --label signer
  pkcs11-tool --module $module --token-label ortivo --read-object --type pubkey --label signer -o token.der
  openssl x509 -new -force_pubkey token.der -subj "/CN=Ortivo Test Token Signer" -CA ca.pem -CAkey ca.key -days 2 \
          -extfile signer.ext -out token.pem
  cat token.pem ca.pem > token-chain.pem )

# release FOLDER SIGNER: the release signed in WORK/FOLDER, each file verified as signed by SIGNER.
release() {
  local files="$work/$1"
  rm -rf "$files"
  mkdir -p "$files"
  cp "${copies[@]}" "$files/"
  (cd "$files" && "$root/scripts/sign.sh" "${programs[@]}")
  "${make_package[@]}" "$files" "$files/$package"
  "$root/scripts/sign.sh" "$files/$package"
  for file in "${programs[@]}" "$package"; do
    osslsigncode verify -CAfile "$keys/ca.pem" -in "$files/$file" > "$files.$file.verify" ||
      { cat "$files.$file.verify"; echo "$1/$file: no valid signature" >&2; exit 1; }
    for expected in "Subject: /CN=$2" 'Text description: Ortivo' 'Message digest algorithm: SHA256'; do
      grep -qF "$expected" "$files.$file.verify" || { echo "$1/$file: no '$expected'" >&2; exit 1; }
    done
  done
}
export ORTIVO_SIGN_CERT="$keys/chain.pem" ORTIVO_SIGN_KEY="$keys/signer.key" ORTIVO_SIGN_PASS_FILE="$keys/pass"
release bin "Ortivo Test Signer"
export ORTIVO_SIGN_CERT="$keys/token-chain.pem" ORTIVO_SIGN_KEY="$token" ORTIVO_SIGN_PKCS11_MODULE="$module"
release bin-pkcs11 "Ortivo Test Token Signer"

cp "$install_test" "$work/bin/"
"$root/tools/wine-run" --prefix "$work/wineprefix" "$work/bin/$(basename "$install_test")"
