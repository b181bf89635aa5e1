#!/usr/bin/env bash
# sign.sh EXE: signs EXE in place with Authenticode, as the release does
# where a code-signing certificate is configured. The packing of the ZIP
# calls it on the selector.exe that it packs when
# SELECTOR_SIGNING_CERTIFICATE is set:
#
#   SELECTOR_SIGNING_CERTIFICATE    the certificate and its key, PKCS#12
#   SELECTOR_SIGNING_PASSWORD_FILE  a file that holds its password
#   SELECTOR_TIMESTAMP_URL          an RFC 3161 time-stamping server
#
# The digest is SHA-256, and the signature is time-stamped, so that Windows
# still accepts it once the certificate has expired. The password is read
# from its file rather than given as an argument, which any user of the
# machine could read in the process list.
set -eu
exe=$1
: "${SELECTOR_SIGNING_CERTIFICATE:?names no certificate}"
: "${SELECTOR_SIGNING_PASSWORD_FILE:?names no file for the password}"
: "${SELECTOR_TIMESTAMP_URL:?names no time-stamping server}"
command -v osslsigncode > /dev/null || { echo "sign.sh: osslsigncode is missing" >&2; exit 1; }

# osslsigncode writes a new file. Its bytes are copied into EXE once it is
# whole, which keeps EXE's permissions.
signed=$exe.signed
trap 'rm -f "$signed"' EXIT
osslsigncode sign -pkcs12 "$SELECTOR_SIGNING_CERTIFICATE" -readpass "$SELECTOR_SIGNING_PASSWORD_FILE" \
	-h sha256 -ts "$SELECTOR_TIMESTAMP_URL" -n selector -in "$exe" -out "$signed" > /dev/null
cat "$signed" > "$exe"
