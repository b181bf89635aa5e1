#!/usr/bin/env bash
# signing.sh CMAKE CPACK SOURCE BUILD PACKAGE SKETCH_FOLDER RECORDER_EXE: the
# release's signing, as its workflow runs it where a certificate is
# configured, proven with a throwaway certificate authority, a code-signing
# certificate that it issued and a time-stamping server of its own on
# loopback. The ZIP packed with that certificate holds a selector.exe whose
# signature its authority accepts, whose SHA-256 file matches, which runs
# under Wine, and which, stripped of its signature, is the build's own
# selector.exe byte for byte.
set -u
cmake=$1 cpack=$2 source=$3 build=$4 package=$5 folder=$6 recorder=$7
for tool in osslsigncode openssl python3; do
	command -v "$tool" > /dev/null || { echo "no $tool: skipped"; exit 77; }
done
[[ $folder == [Cc]:\\* ]] || { echo "$folder is not on C:, Wine's own drive: skipped"; exit 77; }

host_folder=$(dirname "$recorder")/wineprefix/drive_c/${folder:3}
pack=$build/signed
exe=$pack/$package/selector.exe
. "$(dirname "$0")/harness.sh" windows "$exe" "${host_folder//\\//}" "$recorder"
sketch_path=$folder\\code.ino
keys=$work/keys
mkdir "$keys"

# issue NAME PURPOSE: a key and a certificate for NAME, issued by the
# throwaway authority for PURPOSE, an extended key usage.
issue() {
	printf 'extendedKeyUsage=%s\nkeyUsage=critical,digitalSignature\n' "$2" > "$keys/$1.ext"
	openssl req -newkey rsa:2048 -nodes -keyout "$keys/$1.key" -subj "/CN=$1" -out "$keys/$1.csr" &&
		openssl x509 -req -in "$keys/$1.csr" -CA "$keys/authority.crt" -CAkey "$keys/authority.key" \
			-days 2 -set_serial "0x$(openssl rand -hex 8)" -extfile "$keys/$1.ext" -out "$keys/$1.crt"
}

# The authority, the seller's certificate and the time-stamping server's,
# and, for the refusal, a certificate that the authority never issued. Like
# Authenticode, Smart App Control takes RSA keys only.
printf 'throwaway password\n' > "$keys/password"
{
	openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/authority.key" -out "$keys/authority.crt" \
		-days 2 -subj '/CN=Throwaway authority' -addext 'basicConstraints=critical,CA:true' \
		-addext 'keyUsage=critical,keyCertSign' &&
		issue 'Kit seller' codeSigning && issue 'Time stamps' critical,timeStamping &&
		openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/other.key" -out "$keys/other.crt" \
			-days 2 -subj '/CN=Kit seller' -addext extendedKeyUsage=codeSigning &&
		openssl pkcs12 -export -in "$keys/Kit seller.crt" -inkey "$keys/Kit seller.key" \
			-certfile "$keys/authority.crt" -passout "file:$keys/password" -out "$keys/seller.p12" &&
		openssl pkcs12 -export -in "$keys/other.crt" -inkey "$keys/other.key" \
			-passout "file:$keys/password" -out "$keys/other.p12"
} > "$keys/openssl.log" 2>&1 || { cat "$keys/openssl.log"; exit 1; }
cat > "$keys/tsa.cnf" <<CONFIG
[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = $keys/serial
signer_cert = $keys/Time stamps.crt
signer_key = $keys/Time stamps.key
certs = $keys/authority.crt
default_policy = 1.2.3.4.1
digests = sha256
signer_digest = sha256
ess_cert_id_alg = sha256
CONFIG
echo 01 > "$keys/serial"

# The server lives as long as the signing at most.
timeout 300 python3 "$(dirname "$0")/tsa.py" "$keys/tsa.cnf" "$keys/port" &
tsa=$!
within 300 test -s "$keys/port" || { echo "the time-stamping server did not start"; exit 1; }
export SELECTOR_SIGNING_CERTIFICATE=$keys/seller.p12 SELECTOR_SIGNING_PASSWORD_FILE=$keys/password
export SELECTOR_TIMESTAMP_URL=http://127.0.0.1:$(cat "$keys/port")

# pack DIR: packs the ZIP into DIR and extracts it there, as the release
# workflow packs it, with the signing configured.
pack() {
	rm -rf "$1"
	mkdir -p "$1"
	"$cpack" --config "$build/CPackConfig.cmake" -B "$1" > "$1/cpack.log" 2>&1 &&
		(cd "$1" && "$cmake" -E tar xf "$package.zip")
}
pack "$pack" || { cat "$pack/cpack.log"; exit 1; }
sign_other=$work/other.exe
cp "$build/selector.exe" "$sign_other"
SELECTOR_SIGNING_CERTIFICATE=$keys/other.p12 bash "$source/tools/sign.sh" "$sign_other" ||
	{ echo "could not sign with the other certificate"; exit 1; }
printf 'wrong password\n' > "$keys/wrong"
SELECTOR_SIGNING_PASSWORD_FILE=$keys/wrong pack "$work/wrong password"
wrong_password=$?
kill "$tsa"

# verify EXE: osslsigncode's verdict on EXE, against the throwaway authority.
verify() {
	osslsigncode verify -CAfile "$keys/authority.crt" -TSA-CAfile "$keys/authority.crt" -in "$1" \
		> "$1.verify" 2>&1
}

if begin "the ZIP's selector.exe: SHA-256, time-stamped, its authority accepts it"; then
	verify "$exe" || fail "refused: $(tail -n 5 "$exe.verify")"
	grep -q '^Message digest algorithm *: SHA256' "$exe.verify" || fail "not a SHA-256 digest"
	grep -q '^Timestamp Server Signature verification: ok' "$exe.verify" || fail "not time-stamped"
	grep -q 'Subject: /CN=Kit seller' "$exe.verify" || fail "not signed by the seller's certificate"
	end
fi

if begin "signed with a certificate that the authority never issued: refused"; then
	verify "$sign_other" && fail "accepted"
	end
fi

if begin "the signature removed: the build's selector.exe, byte for byte"; then
	osslsigncode remove-signature -in "$exe" -out "$work/stripped.exe" > /dev/null 2>&1 ||
		fail "could not remove the signature"
	cmp -s "$work/stripped.exe" "$build/selector.exe" || fail "other bytes than the build's"
	cmp -s "$exe" "$build/selector.exe" && fail "the ZIP holds the unsigned selector.exe"
	end
fi

if begin "the ZIP of the signed selector.exe: its SHA-256 file matches"; then
	(cd "$pack" && sha256sum --quiet -c "$package.zip.sha256") || fail "checksum"
	end
fi

if begin "a wrong password: no ZIP is made"; then
	[ "$wrong_password" != 0 ] || fail "packed"
	[ -e "$work/wrong password/$package.zip" ] && fail "a ZIP was left"
	end
fi

if begin "the signed selector.exe under Wine, choice 5"; then
	expect_choice 5
	end
fi
report
