#!/usr/bin/env bash
# sign.sh EXE: puts a signed selector.exe in place of EXE, as the release
# does. The packing of the ZIP calls it on the selector.exe that it packs
# when one of these ways is configured:
#
#   a certificate and its key in a PKCS#12 file
#     SELECTOR_SIGNING_CERTIFICATE    the file
#     SELECTOR_SIGNING_PASSWORD_FILE  a file that holds its password
#   a key on a token or in an HSM, through its PKCS#11 module
#     SELECTOR_SIGNING_PKCS11_MODULE  the module, a .so
#     SELECTOR_SIGNING_KEY            the key, as an RFC 7512 pkcs11: URI
#     SELECTOR_SIGNING_CHAIN          the certificate, then its chain, PEM
#     SELECTOR_SIGNING_PASSWORD_FILE  a file that holds the token's PIN
#   either of the two needs
#     SELECTOR_TIMESTAMP_URL          an RFC 3161 time-stamping server
#   a selector.exe that a signing service signed
#     SELECTOR_SIGNED_EXE             the file, copied in as it is
#
# The digest is SHA-256, and the signature is time-stamped, so that Windows
# still accepts it once the certificate has expired. The password and the
# PIN are read from their file rather than given as arguments, which any
# user of the machine could read in the process list. Whichever way it came,
# the packing then checks the signed file before it makes the ZIP.
set -eu
exe=$1
ways=0
for setting in SELECTOR_SIGNING_CERTIFICATE SELECTOR_SIGNING_KEY SELECTOR_SIGNED_EXE; do
	[ -z "${!setting:-}" ] || ways=$((ways + 1))
done
[ "$ways" = 1 ] || { echo "sign.sh: set one of SELECTOR_SIGNING_CERTIFICATE, SELECTOR_SIGNING_KEY and SELECTOR_SIGNED_EXE" >&2; exit 1; }

if [ -n "${SELECTOR_SIGNED_EXE:-}" ]; then
	cat "$SELECTOR_SIGNED_EXE" > "$exe"
	exit
fi

: "${SELECTOR_SIGNING_PASSWORD_FILE:?names no file for the password or PIN}"
: "${SELECTOR_TIMESTAMP_URL:?names no time-stamping server}"
command -v osslsigncode > /dev/null || { echo "sign.sh: osslsigncode is missing" >&2; exit 1; }
if [ -n "${SELECTOR_SIGNING_CERTIFICATE:-}" ]; then
	key=(-pkcs12 "$SELECTOR_SIGNING_CERTIFICATE")
else
	: "${SELECTOR_SIGNING_PKCS11_MODULE:?names no PKCS#11 module}"
	: "${SELECTOR_SIGNING_CHAIN:?names no certificate chain}"
	# A PIN inside the URI would reach osslsigncode's arguments.
	[[ $SELECTOR_SIGNING_KEY != *pin-value=* ]] ||
		{ echo "sign.sh: SELECTOR_SIGNING_KEY holds the PIN; put it in SELECTOR_SIGNING_PASSWORD_FILE" >&2; exit 1; }
	# osslsigncode 2.5, Debian 12's, refuses an engine given by its path,
	# and loads libp11's engine, "pkcs11", by itself.
	key=(-pkcs11module "$SELECTOR_SIGNING_PKCS11_MODULE" -key "$SELECTOR_SIGNING_KEY"
		-certs "$SELECTOR_SIGNING_CHAIN")
fi

# osslsigncode writes a new file. Its bytes are copied into EXE once it is
# whole, which keeps EXE's permissions.
signed=$exe.signed
trap 'rm -f "$signed"' EXIT
osslsigncode sign "${key[@]}" -readpass "$SELECTOR_SIGNING_PASSWORD_FILE" \
	-h sha256 -ts "$SELECTOR_TIMESTAMP_URL" -n selector -in "$exe" -out "$signed" > /dev/null
cat "$signed" > "$exe"
