#!/usr/bin/env bash
# Signs a Windows program or DLL in place with Authenticode (osslsigncode, SHA-256), with the
# PKCS#12 certificate that REVAZE_SIGN_PFX names and the password in REVAZE_SIGN_PASSWORD. The
# password is handed over through a pipe, never on a command line.
#
#   REVAZE_SIGN_PFX=cert.p12 REVAZE_SIGN_PASSWORD=... scripts/sign-file.sh FILE...
set -euo pipefail
: "${REVAZE_SIGN_PFX:?REVAZE_SIGN_PFX names no certificate}"
for file in "$@"; do
    osslsigncode sign -pkcs12 "$REVAZE_SIGN_PFX" \
        -readpass <(printf '%s' "${REVAZE_SIGN_PASSWORD:-}") \
        -h sha256 -n "Revaze" -in "$file" -out "$file.signed" >/dev/null
    mv -f "$file.signed" "$file"
done
