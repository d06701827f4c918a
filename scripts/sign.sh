#!/usr/bin/env bash
# Signs Windows programs in place, Authenticode with SHA-256: sign.sh PROGRAM...
# The certificate comes from the environment, either
#   ROTAPLEX_SIGN_PFX        a PKCS#12 (.pfx) file with the certificate and its key, and
#   ROTAPLEX_SIGN_PASSWORD   its password (read by osslsigncode from a pipe, never on a command line);
# or a key on a PKCS#11 token:
#   ROTAPLEX_SIGN_PKCS11_MODULE  the token's PKCS#11 module (a .so file),
#   ROTAPLEX_SIGN_KEY            the key's PKCS#11 URI,
#   ROTAPLEX_SIGN_CERT           the certificate, a PEM file or the token's PKCS#11 URI for it,
#   ROTAPLEX_SIGN_PASSWORD       the token's PIN, if it asks for one.
# ROTAPLEX_TIMESTAMP_URL, when set, names an RFC 3161 time stamp server, so that the signature
# stays valid after the certificate expires. Without a certificate it signs nothing and says so.
set -euo pipefail

if [ -n "${ROTAPLEX_SIGN_PFX:-}" ]; then
  certificate=(-pkcs12 "$ROTAPLEX_SIGN_PFX")
elif [ -n "${ROTAPLEX_SIGN_PKCS11_MODULE:-}" ]; then
  : "${ROTAPLEX_SIGN_KEY:?names the key on the token}" "${ROTAPLEX_SIGN_CERT:?names the certificate}"
  certificate=(-pkcs11module "$ROTAPLEX_SIGN_PKCS11_MODULE" -key "$ROTAPLEX_SIGN_KEY")
  case $ROTAPLEX_SIGN_CERT in
    pkcs11:*) certificate+=(-pkcs11cert "$ROTAPLEX_SIGN_CERT") ;;
    *) certificate+=(-certs "$ROTAPLEX_SIGN_CERT") ;;
  esac
else
  echo "sign: no certificate given (ROTAPLEX_SIGN_PFX or ROTAPLEX_SIGN_PKCS11_MODULE); not signed"
  exit 0
fi
timestamp=()
[ -n "${ROTAPLEX_TIMESTAMP_URL:-}" ] && timestamp=(-ts "$ROTAPLEX_TIMESTAMP_URL")

for program in "$@"; do
  signed=$program.signed
  osslsigncode sign "${certificate[@]}" -readpass <(printf '%s' "${ROTAPLEX_SIGN_PASSWORD:-}") \
    -h sha256 -n Rotaplex "${timestamp[@]}" -in "$program" -out "$signed" >/dev/null ||
    { rm -f "$signed"; echo "sign: could not sign $program" >&2; exit 1; }
  mv "$signed" "$program"
  echo "sign: signed $(basename "$program")"
done
