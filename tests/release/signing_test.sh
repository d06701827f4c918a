#!/usr/bin/env bash
# Signs copies of the release programs with a throwaway self-signed certificate through
# scripts/sign.sh, as scripts/package.sh does, and checks them with osslsigncode: a valid SHA-256
# signature by that certificate; a wrong password leaves the program as it was; no certificate
# signs nothing. signing_test.sh PROGRAM...
set -euo pipefail
sign=$(dirname "$0")/../../scripts/sign.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Rotaplex signing test" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/test.pfx" -passout pass:'pass word'

for program in "$@"; do
  name=$(basename "$program")
  copy=$work/$name
  cp "$program" "$copy"
  osslsigncode verify -CAfile "$work/cert.pem" -in "$copy" >/dev/null 2>&1 && fail "$name verifies unsigned"

  env -u ROTAPLEX_SIGN_PFX -u ROTAPLEX_SIGN_PKCS11_MODULE "$sign" "$copy" >/dev/null
  cmp -s "$program" "$copy" || fail "$name changed without a certificate"

  ROTAPLEX_SIGN_PFX=$work/test.pfx ROTAPLEX_SIGN_PASSWORD=wrong "$sign" "$copy" >/dev/null 2>&1 &&
    fail "$name signed with a wrong password"
  cmp -s "$program" "$copy" || fail "$name changed by a failed signing"
  [ -e "$copy.signed" ] && fail "a failed signing left $name.signed"

  ROTAPLEX_SIGN_PFX=$work/test.pfx ROTAPLEX_SIGN_PASSWORD='pass word' "$sign" "$copy" >/dev/null
  if report=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$copy" 2>&1); then
    grep -q "Message digest algorithm  : SHA256" <<<"$report" || fail "$name is not signed with SHA-256"
    grep -q "Subject: /CN=Rotaplex signing test" <<<"$report" || fail "$name is signed by another certificate"
  else
    fail "$name does not verify after signing:"; echo "$report"
  fi
done

[ "$failures" = 0 ] && echo "all passed"
exit "$failures"
