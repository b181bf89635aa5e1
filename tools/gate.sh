#!/usr/bin/env bash
# gate.sh CMAKE CPACK CONFIG SIGNED_ZIP BUILD_EXE: the check that every
# signed ZIP passes before it is delivered, whether a file, a token or a
# service signed its selector.exe. It packs the ZIP again from CONFIG with
# no signing, and accepts SIGNED_ZIP only if:
#
#   its selector.exe carries an Authenticode signature of SHA-256 digest
#   that matches the file, with an RFC 3161 time stamp;
#   stripped of that signature, it is BUILD_EXE, byte for byte;
#   it holds the entries of the unsigned ZIP, in the same order, and each
#   of them but selector.exe is the same bytes.
#
# Whether Windows trusts the certificate is Windows' own check. On a
# refusal it prints one line that says which check failed, and fails.
set -u
cmake=$1 cpack=$2 config=$3 signed_zip=$4 build_exe=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

refuse() {
	echo "refused: $*" >&2
	exit 1
}

command -v osslsigncode > /dev/null && command -v openssl > /dev/null ||
	refuse "the gate needs osslsigncode and openssl"
# The reference is packed with every way of signing unset.
"$cmake" -E env --unset=SELECTOR_SIGNING_CERTIFICATE --unset=SELECTOR_SIGNING_KEY --unset=SELECTOR_SIGNED_EXE \
	"$cpack" --config "$config" -B "$work/reference" > "$work/reference.log" 2>&1 ||
	refuse "the unsigned ZIP could not be packed: $(tail -n 1 "$work/reference.log")"
unsigned_zip=$(find "$work/reference" -maxdepth 1 -name '*.zip')
# extract NAME ZIP: ZIP's entries listed in NAME.entries, and its files in
# the folder NAME.
extract() {
	mkdir "$work/$1" && (cd "$work/$1" && "$cmake" -E tar tf "$2" > "../$1.entries" && "$cmake" -E tar xf "$2") ||
		refuse "the $1 ZIP could not be read"
}
extract signed "$signed_zip"
extract unsigned "$unsigned_zip"
exe=$(grep -m 1 -E '(^|/)selector\.exe$' "$work/signed.entries") || refuse "the signed ZIP holds no selector.exe"

osslsigncode extract-signature -pem -in "$work/signed/$exe" -out "$work/signature.pem" > /dev/null 2>&1 ||
	refuse "selector.exe carries no Authenticode signature"
# Without the authority's certificate the verdict is a failure; the lines
# on the digest are printed all the same.
osslsigncode verify -in "$work/signed/$exe" > "$work/verify" 2>&1
grep -qE '^Message digest algorithm *: SHA256' "$work/verify" || refuse "selector.exe's digest is not SHA-256"
# The digest that the signature holds and the one of the file's bytes.
digests=$(sed -n 's/^\(Current\|Calculated\) message digest *: *\([0-9A-F]*\).*/\2/p' "$work/verify")
[ "$(wc -l <<< "$digests")" -ge 2 ] && [ "$(sort -u <<< "$digests" | wc -l)" = 1 ] ||
	refuse "selector.exe's signature is not of its bytes"
# 1.3.6.1.4.1.311.3.3.1 is Authenticode's attribute for an RFC 3161 time
# stamp; the older kind, a PKCS#9 counter-signature, is not enough.
openssl pkcs7 -in "$work/signature.pem" -print -noout 2> /dev/null | grep -qF '(1.3.6.1.4.1.311.3.3.1)' ||
	refuse "selector.exe's signature has no RFC 3161 time stamp"
osslsigncode remove-signature -in "$work/signed/$exe" -out "$work/stripped.exe" > /dev/null 2>&1 &&
	cmp -s "$work/stripped.exe" "$build_exe" ||
	refuse "selector.exe, its signature removed, is not this build's"

cmp -s "$work/signed.entries" "$work/unsigned.entries" ||
	refuse "the signed ZIP's entries are not the unsigned ZIP's: $(diff "$work/unsigned.entries" "$work/signed.entries" |
		sed -n 's/^[<>] //p' | head -n 3 | tr '\n' ' ')"
while IFS= read -r entry; do
	[ "$entry" = "$exe" ] || [ -d "$work/unsigned/$entry" ] || cmp -s "$work/signed/$entry" "$work/unsigned/$entry" ||
		refuse "$entry differs from the unsigned ZIP's"
done < "$work/unsigned.entries"
