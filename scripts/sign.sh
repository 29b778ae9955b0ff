#!/usr/bin/env bash
# Signs release files in place with an Authenticode signature (osslsigncode):
# SHA-256, the description "Ortivo", the product's URL when ORTIVO_SIGN_URL
# is set and an RFC 3161 timestamp from ORTIVO_SIGN_TIMESTAMP_URL when it is.
#
#   scripts/sign.sh FILE...
#
# Environment: ORTIVO_SIGN_CERT, the PEM certificate chain; ORTIVO_SIGN_KEY,
# its PEM private key, or the pkcs11: URI of the key on a token or HSM when
# ORTIVO_SIGN_PKCS11_MODULE names the token's PKCS#11 module (osslsigncode
# reaches it through OpenSSL's pkcs11 engine); ORTIVO_SIGN_PASS_FILE, the
# file that holds the key's passphrase or the token's PIN, if it has one.
# Each file is signed into a temporary file beside it, which then takes its
# place in one rename. When signing fails, the tool's message is shown and
# the file is removed: no unsigned file stays behind, and the build makes
# it again.
set -euo pipefail
: "${ORTIVO_SIGN_CERT:?the PEM certificate chain to sign with}"
: "${ORTIVO_SIGN_KEY:?the private key of ORTIVO_SIGN_CERT: a PEM file or a pkcs11: URI}"
options=(-certs "$ORTIVO_SIGN_CERT" -key "$ORTIVO_SIGN_KEY" -h sha256 -n Ortivo)
[ -z "${ORTIVO_SIGN_PKCS11_MODULE:-}" ] || options+=(-pkcs11module "$ORTIVO_SIGN_PKCS11_MODULE")
[ -z "${ORTIVO_SIGN_PASS_FILE:-}" ] || options+=(-readpass "$ORTIVO_SIGN_PASS_FILE")
[ -z "${ORTIVO_SIGN_URL:-}" ] || options+=(-i "$ORTIVO_SIGN_URL")
[ -z "${ORTIVO_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$ORTIVO_SIGN_TIMESTAMP_URL")

for file in "$@"; do
  signing="$file.signing"
  rm -f "$signing"
  # osslsigncode tells some failures (a key or engine it cannot load) on its standard output.
  if ! output="$(osslsigncode sign "${options[@]}" -in "$file" -out "$signing" 2>&1 </dev/null)"; then
    rm -f "$signing" "$file"
    echo "$output" >&2
    echo "sign.sh: $file could not be signed (removed)" >&2
    exit 1
  fi
  mv -f "$signing" "$file"
done
