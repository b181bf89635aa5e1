#!/usr/bin/env bash
# package.sh CMAKE CPACK SOURCE BUILD PACKAGE SKETCH_FOLDER RELATIVE_FOLDER
# RECORDER_EXE: the
# ZIP that a maker downloads matches its checksum and, unpacked, holds a
# selector.exe with its version and manifest that runs under Wine for the
# folder it was built for, or, where that one is missing, for the same
# folder on the desktop; a note in French that names them; and the example
# sketch in the folder to put on the desktop. Built again
# by another builder, selector.exe, the ZIP and the native selector are the
# same bytes. Signed as the release signs it, selector.exe is accepted by its
# certificate's authority, and is the build's own once stripped.
set -u
cmake=$1 cpack=$2 source=$3 build=$4 package=$5 folder=$6 relative=$7 recorder=$8
# The kit's sketch folder as the host names it, with slashes.
kit=${relative//\\//}
[[ $folder == [Cc]:\\* ]] || { echo "$folder is not on C:, Wine's own drive: skipped"; exit 77; }
/usr/bin/python3 -c 'import pefile' 2> /dev/null || { echo "no python3-pefile: skipped"; exit 77; }

# pack DIR [COMMAND...]: packs the ZIP into DIR, cpack run by COMMAND if
# one is given, and extracts it there. The ZIP holds no folder of its own:
# it is extracted, as « Extraire tout… » does, into a folder of its name.
# The packing's status is in DIR.status.
pack() {
	local dir=$1 status
	shift
	rm -rf "$dir"
	mkdir -p "$dir"
	"$@" "$cpack" --config "$build/CPackConfig.cmake" -B "$dir" > "$dir/cpack.log" 2>&1 &&
		mkdir "$dir/$package" && (cd "$dir/$package" && "$cmake" -E tar xf "../$package.zip")
	status=$?
	echo "$status" > "$dir.status"
	return "$status"
}

unpacked=$build/unpacked
pack "$unpacked" || { cat "$unpacked/cpack.log"; exit 1; }

host_folder=$(dirname "$recorder")/wineprefix/drive_c/${folder:3}
exe=$unpacked/$package/selector.exe
. "$(dirname "$0")/harness.sh" windows "$exe" "${host_folder//\\//}" "$recorder"
sketch_path=$folder\\code.ino

if begin "selector.exe from $package.zip, choice 5"; then
	(cd "$unpacked" && sha256sum --quiet -c "$package.zip.sha256") || fail "checksum"
	version=${package#*-}
	/usr/bin/python3 "$(dirname "$0")/pe_resources.py" "$exe" "${version%-*}" || fail "resources"
	x86_64-w64-mingw32-objdump -h "$exe" | grep -F ' .debug_' && fail "debug sections in selector.exe"
	expect_choice 5
	note=$unpacked/$package/LISEZMOI.txt
	grep -qF "$folder" "$note" || fail "the note does not name $folder"
	grep -qF OneDrive "$note" || fail "the note does not say where the desktop may be"
	# Once extracted, the kit's top folder can be moved onto the desktop as
	# it is.
	entries=$(cd "$unpacked/$package" && find . -type f | LC_ALL=C sort)
	[ "$entries" = "$(printf './%s\n' LICENSE.txt LISEZMOI.txt "$kit/code.ino" apercu.html selector.exe |
		LC_ALL=C sort)" ] || fail "the ZIP holds: $entries"
	# The preview opens offline: it is the kept page, and it names no file,
	# font, script or address outside itself.
	cmp -s "$source/examples/apercu.html" "$unpacked/$package/apercu.html" || fail "the ZIP's preview page"
	grep -qiE 'src=|href=|url\(|@import|<script|<link|https?:' "$unpacked/$package/apercu.html" &&
		fail "the preview page references: $(grep -oiE '(src=|href=|url\(|@import|<script|<link|https?:)[^ ]*' \
			"$unpacked/$package/apercu.html" | head -n 3)"
	grep -qF apercu.html "$note" || fail "the note does not name apercu.html"
	sed 's/$/\r/' "$source/LICENSE" | cmp -s - "$unpacked/$package/LICENSE.txt" || fail "the ZIP's licence"
	grep -qF LICENSE.txt "$note" || fail "the note does not name the licence"
	cmp -s "$source/examples/sketch/code.ino" "$unpacked/$package/$kit/code.ino" ||
		fail "the ZIP's sketch is not the example"
	[ "$(head -c 3 "$note")" = $'\xef\xbb\xbf' ] && iconv -f UTF-8 "$note" > /dev/null && ! grep -qv $'\r$' "$note" ||
		fail "the note is not UTF-8 with CR LF line ends"
	# French puts … for three dots, and never begins a line with the
	# punctuation that follows a space, nor ends one with «.
	grep -nE '\.\.\.|^ *[:;!?»]|« ?.$' "$note" && fail "the note's typography"
	ninja -C "$build" -t inputs selector.exe | grep -qx selector.manifest || fail "the manifest rebuilds nothing"
	end
fi

# at HOST_FOLDER WINDOWS_FOLDER: the checks that follow look at this sketch
# folder, named by its host path and its Windows path.
at() {
	sketch=$1 sketch_path=$2\\code.ino param_path=$2\\param.h
}
built_in=("$sketch" "$folder")
# The desktop as this prefix has it: Wine 8 links it to the home folder,
# Wine 10 makes it a folder of the profile's own.
desktop=$(wine cmd /c 'echo %USERPROFILE%' < /dev/null | tr -d '\r')\\Desktop
on_desktop=("$(realpath "$(wine winepath -u "$desktop" 2> /dev/null < /dev/null)")/$kit"
	"$desktop\\$relative")

# The ZIP as a maker extracts it, outside the desktop, into a folder whose
# path holds spaces, accents, parentheses and the interpreter's & ^ !; and
# into one whose path holds a %. The selector.exe that the other rows run
# keeps no sketch beside it.
extracted="$unpacked/Téléchargements été & ^ !b!/$package (1)"
percent="$unpacked/à 100 %b% (x)/$package"
mkdir -p "$extracted" "$percent"
cp -R "$unpacked/$package/." "$extracted"
cp -R "$unpacked/$package/." "$percent"
mv "$unpacked/$package/${kit%%/*}" "$unpacked/the ZIP's sketch"
beside=("$extracted/$kit" "$(windows_path "$extracted")\\$relative")

# Extracted outside the desktop, run from its own folder and then from
# another: neither the built-in folder nor the desktop's exists, and the
# sketch beside the selector gets param.h and is opened.
for from in "$extracted" "$work"; do
	place='its own folder'
	[ "$from" = "$extracted" ] || place='another folder'
	if begin "extracted outside the desktop, run from $place: the sketch beside the selector"; then
		at "${built_in[@]}" && lay_sketch 'no folder'
		at "${on_desktop[@]}" && lay_sketch 'no folder'
		at "${beside[@]}" && lay_sketch absent
		selector=$extracted/selector.exe runner=(env -C "$from" wine)
		run_selector '5\n'
		selector=$exe runner=(wine)
		expect_status_0; expect_bytes "$sketch/param.h" '#define choix 5'; expect_errors no
		expect_launch '#define choix 5'
		end
	fi
done

# The interpreter replaces %b%, which is set, in the path that it is given,
# and start then finds no document: that is the limit of the interpreter.
# param.h still lands beside the selector.
if begin 'extracted into a folder whose path holds %b%: param.h beside the selector'; then
	at "${built_in[@]}" && lay_sketch 'no folder'
	at "${on_desktop[@]}" && lay_sketch 'no folder'
	at "$percent/$kit" "$(windows_path "$percent")\\$relative" && lay_sketch absent
	selector=$percent/selector.exe
	run_selector '5\n'
	selector=$exe
	expect_status_0; expect_bytes "$sketch/param.h" '#define choix 5'; expect_errors no; expect_no_launch
	end
fi

if begin "the sketch on the desktop and beside the selector: the desktop's"; then
	at "${built_in[@]}" && lay_sketch 'no folder'
	at "${beside[@]}" && lay_sketch '#define choix 12'
	at "${on_desktop[@]}" && lay_sketch absent
	selector=$extracted/selector.exe
	run_selector '5\n'
	selector=$exe
	expect_bytes "$sketch/param.h" '#define choix 5'; expect_errors no; expect_launch '#define choix 5'
	expect_bytes "${beside[0]}/param.h" '#define choix 12'
	end
fi

if begin "a file beside the selector where the sketch would be: the desktop's param.h not written"; then
	at "${built_in[@]}" && lay_sketch 'no folder'
	at "${beside[@]}" && lay_sketch 'no folder' && : > "$sketch"
	at "${on_desktop[@]}" && lay_sketch 'no folder'
	selector=$extracted/selector.exe
	run_selector '5\n'
	selector=$exe
	expect_status_0; expect_errors yes "$relative"; expect_no_launch
	[ -f "${beside[0]}" ] || fail "the file beside the selector was replaced"
	end
fi

if begin 'built-in folder missing: the one on the desktop'; then
	at "${built_in[@]}" && lay_sketch 'no folder'
	at "${on_desktop[@]}" && lay_sketch absent
	run_selector '5\n'
	expect_status_0; expect_bytes "$sketch/param.h" '#define choix 5'; expect_errors no
	expect_launch '#define choix 5'
	[ -e "${built_in[0]}" ] && fail "created the built-in folder"
	end
fi

if begin 'both folders: the built-in one'; then
	at "${on_desktop[@]}" && lay_sketch '#define choix 12'
	at "${built_in[@]}" && lay_sketch absent
	run_selector '5\n'
	expect_bytes "$sketch/param.h" '#define choix 5'; expect_launch '#define choix 5'
	expect_bytes "${on_desktop[0]}/param.h" '#define choix 12'
	end
fi

if begin "no folder anywhere: extract the ZIP first, the desktop's param.h was not written"; then
	at "${built_in[@]}" && lay_sketch 'no folder'
	at "${on_desktop[@]}" && lay_sketch 'no folder'
	run_selector '5\n'
	expect_status_0; expect_errors yes "$relative"; expect_no_launch
	end
fi

if begin 'a file at the built-in folder: the folder on the desktop'; then
	at "${built_in[@]}" && lay_sketch 'no folder' && mkdir -p "${sketch%/*}" && : > "$sketch"
	at "${on_desktop[@]}" && lay_sketch absent
	run_selector '5\n'
	expect_bytes "$sketch/param.h" '#define choix 5'; expect_errors no; expect_launch '#define choix 5'
	end
fi

# Windows reports the desktop where the user, or OneDrive's backup, moved it.
desktop_at() {
	wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
		/v Desktop /t REG_EXPAND_SZ /d "$1" /f > /dev/null 2>&1 < /dev/null || fail "desktop not moved"
}

if begin 'the desktop moved to a folder past the ANSI code page'; then
	moved="$work/Bureau été Łódź"
	mkdir -p "$moved"
	desktop_at "$(windows_path "$moved")"
	at "${built_in[@]}" && lay_sketch 'no folder'
	at "$moved/$kit" "$(windows_path "$moved")\\$relative" && lay_sketch absent
	run_selector '5\n'
	expect_bytes "$sketch/param.h" '#define choix 5'; expect_errors no; expect_launch '#define choix 5'
	desktop_at '%USERPROFILE%\Desktop'
	end
fi

# Windows reports no desktop where the folder that it names is missing.
if begin 'no desktop reported: the built-in folder'; then
	desktop_at "$(windows_path "$work/no desktop")"
	at "${built_in[@]}" && lay_sketch 'no folder'
	run_selector '5\n'
	expect_status_0; expect_errors yes "$relative"; expect_no_launch
	desktop_at '%USERPROFILE%\Desktop'
	end
fi

# The release's signing, as its workflow runs it where a way of signing is
# configured, proven with a throwaway certificate authority, a code-signing
# certificate that it issued, a SoftHSM2 token that holds its key, and a
# time-stamping server of its own on loopback. Like Authenticode, Smart App
# Control takes RSA keys only.
keys=$work/keys pin='token PIN 4711'

# issue NAME PURPOSE: a key and a certificate for NAME, issued by the
# throwaway authority for PURPOSE, an extended key usage.
issue() {
	printf 'extendedKeyUsage=%s\nkeyUsage=critical,digitalSignature\n' "$2" > "$keys/$1.ext"
	openssl req -newkey rsa:2048 -nodes -keyout "$keys/$1.key" -subj "/CN=$1" -out "$keys/$1.csr" &&
		openssl x509 -req -in "$keys/$1.csr" -CA "$keys/authority.crt" -CAkey "$keys/authority.key" \
			-days 2 -set_serial "0x$(openssl rand -hex 8)" -extfile "$keys/$1.ext" -out "$keys/$1.crt"
}

# keys_once: the first time, makes the authority, the seller's certificate,
# the time-stamping server's, and, for a refusal, a certificate that the
# authority never issued; and starts the server until the signing rows end.
keys_once() {
	[ -d "$keys" ] && return
	mkdir "$keys"
	printf 'throwaway password\n' > "$keys/password"
	printf 'wrong password\n' > "$keys/wrong"
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
	timeout 300 python3 "$(dirname "$0")/tsa.py" "$keys/tsa.cnf" "$keys/port" > "$keys/tsa.log" 2>&1 &
	tsa=$!
	within 300 test -s "$keys/port" || { echo "the time-stamping server did not start"; exit 1; }
	export SELECTOR_TIMESTAMP_URL=http://127.0.0.1:$(cat "$keys/port")
}

# The gate's refusals: a row's name, how its ZIP is packed, and what the
# gate says. "exe:" packs a selector.exe signed elsewhere; "slip:" signs with
# the seller's certificate through an osslsigncode that then runs the
# command given, as a signing tool or script that slips would.
refusals=(
	"a selector.exe of another build|exe:$work/another build.exe|is not this build's"
	"an unsigned selector.exe|exe:$build/selector.exe|carries no Authenticode signature"
	"a signature without a time stamp|exe:$work/untimed.exe|has no RFC 3161 time stamp"
	"a SHA-1 digest|exe:$work/sha1.exe|digest is not SHA-256"
	"a byte changed after signing|exe:$work/changed.exe|signature is not of its bytes"
	"the signed file left beside selector.exe|slip:cp \"\$out\" \"\$out.kept\"|entries are not the unsigned ZIP's"
	"the note changed while signing|slip:echo >> \"\${out%/*}/LISEZMOI.txt\"|LISEZMOI.txt differs"
)

# sign_once: the first time, signs with the seller's certificate: the ZIP
# in $build/signed, selector.exe files for the refusals, and a ZIP for each
# of them; with the other certificate, the build's selector.exe in
# $work/other.exe; and a ZIP with a wrong password.
sign_once() {
	[ -e "$keys/signed.log" ] && return
	keys_once
	local real refusal row way
	real=$(command -v osslsigncode)
	mkdir "$work/slip"
	cat > "$work/slip/osslsigncode" <<STANDIN
#!/bin/sh
"$real" "\$@" || exit
for arg; do [ "\${previous:-}" = -out ] && out=\$arg; previous=\$arg; done
[ "\$1" != sign ] || eval "\$SLIP"
STANDIN
	chmod +x "$work/slip/osslsigncode"
	(
		export SELECTOR_SIGNING_CERTIFICATE=$keys/seller.p12 SELECTOR_SIGNING_PASSWORD_FILE=$keys/password
		pack "$build/signed" || { cat "$build/signed/cpack.log"; exit 1; }
		cp "$build/selector.exe" "$work/other.exe"
		cp "$build/tests/selector_under_test.exe" "$work/another build.exe"
		{
			SELECTOR_SIGNING_CERTIFICATE=$keys/other.p12 bash "$source/tools/sign.sh" "$work/other.exe" &&
				bash "$source/tools/sign.sh" "$work/another build.exe" &&
				for digest in sha256 sha1; do
					osslsigncode sign -pkcs12 "$keys/seller.p12" -readpass "$keys/password" -h "$digest" \
						-in "$build/selector.exe" -out "$work/$digest.exe" || exit
				done
		} > "$keys/signed.log" 2>&1 || { cat "$keys/signed.log"; exit 1; }
		mv "$work/sha256.exe" "$work/untimed.exe"
		cp "$build/signed/$package/selector.exe" "$work/changed.exe"
		printf 'x' | dd of="$work/changed.exe" bs=1 seek=4096 conv=notrunc 2> /dev/null
		SELECTOR_SIGNING_PASSWORD_FILE=$keys/wrong pack "$work/wrong password"
		for refusal in "${refusals[@]}"; do
			IFS='|' read -r row way _ <<< "$refusal"
			case $way in
			exe:*) pack "$work/refused/$row" env -u SELECTOR_SIGNING_CERTIFICATE "SELECTOR_SIGNED_EXE=${way#exe:}" ;;
			slip:*) pack "$work/refused/$row" env "SLIP=${way#slip:}" "PATH=$work/slip:$PATH" ;;
			esac
		done
		true
	) || exit
}

# token_once: the first time, puts the seller's key on a SoftHSM2 token, and
# packs the ZIP in $build/token with that key, through its PKCS#11 module,
# and selector.exe with the seller's PKCS#12 file, both traced by strace.
token_once() {
	[ -d "$keys/token" ] && return
	keys_once
	mkdir "$keys/token"
	printf 'directories.tokendir = %s\n' "$keys/token" > "$keys/softhsm2.conf"
	export SOFTHSM2_CONF=$keys/softhsm2.conf
	printf '%s\n' "$pin" > "$keys/pin"
	cat "$keys/Kit seller.crt" "$keys/authority.crt" > "$keys/chain.pem"
	{
		softhsm2-util --init-token --free --label kit --pin "$pin" --so-pin 'token SO PIN' &&
			softhsm2-util --import "$keys/Kit seller.key" --token kit --label seller --id 01 --pin "$pin"
	} > "$keys/softhsm.log" 2>&1 || { cat "$keys/softhsm.log"; exit 1; }
	cp "$build/selector.exe" "$work/traced.exe"
	(
		export SELECTOR_SIGNING_PKCS11_MODULE=$softhsm_module SELECTOR_SIGNING_CHAIN=$keys/chain.pem \
			SELECTOR_SIGNING_KEY='pkcs11:token=kit;object=seller;type=private' SELECTOR_SIGNING_PASSWORD_FILE=$keys/pin
		pack "$build/token" strace -f -qq -e trace=execve -s 4096 -o "$keys/token.execve" ||
			{ cat "$build/token/cpack.log"; exit 1; }
		env -u SELECTOR_SIGNING_KEY SELECTOR_SIGNING_CERTIFICATE="$keys/seller.p12" \
			SELECTOR_SIGNING_PASSWORD_FILE="$keys/password" strace -f -qq -e trace=execve -s 4096 \
			-o "$keys/file.execve" bash "$source/tools/sign.sh" "$work/traced.exe" ||
			{ echo "could not sign with the PKCS#12 file under strace"; exit 1; }
	) || exit
}

# verify EXE: osslsigncode's verdict on EXE, against the throwaway authority.
verify() {
	osslsigncode verify -CAfile "$keys/authority.crt" -TSA-CAfile "$keys/authority.crt" -in "$1" \
		> "$1.verify" 2>&1
}

# The rows on a signed ZIP, for each way: a PKCS#12 file and a token.
for way in 'a PKCS#12 file|signing|sign_once|signed' 'a token|token|token_once|token'; do
	IFS='|' read -r by need fixture dir <<< "$way"
	signed_exe=$build/$dir/$package/selector.exe
	if begin "signed with $by: the ZIP's selector.exe SHA-256, time-stamped, its authority accepts it" "$need"; then
		$fixture
		verify "$signed_exe" || fail "refused: $(tail -n 5 "$signed_exe.verify")"
		grep -q '^Message digest algorithm *: SHA256' "$signed_exe.verify" || fail "not a SHA-256 digest"
		grep -q '^Timestamp Server Signature verification: ok' "$signed_exe.verify" || fail "not time-stamped"
		grep -q 'Subject: /CN=Kit seller' "$signed_exe.verify" || fail "not signed by the seller's certificate"
		end
	fi

	if begin "signed with $by, the signature removed: the build's selector.exe, byte for byte" "$need"; then
		$fixture
		osslsigncode remove-signature -in "$signed_exe" -out "$work/stripped.exe" > /dev/null 2>&1 ||
			fail "could not remove the signature"
		cmp -s "$work/stripped.exe" "$build/selector.exe" || fail "other bytes than the build's"
		cmp -s "$signed_exe" "$build/selector.exe" && fail "the ZIP holds the unsigned selector.exe"
		end
	fi

	if begin "signed with $by: the ZIP's entries are the unsigned ZIP's, its SHA-256 file matches" "$need"; then
		$fixture
		(cd "$build/$dir" && sha256sum --quiet -c "$package.zip.sha256") || fail "checksum"
		[ "$("$cmake" -E tar tf "$build/$dir/$package.zip")" = "$("$cmake" -E tar tf "$unpacked/$package.zip")" ] ||
			fail "other entries than the unsigned ZIP's"
		end
	fi

	if begin "signed with $by: choice 5" "$need"; then
		$fixture
		at "${on_desktop[@]}" && lay_sketch 'no folder'
		at "${built_in[@]}"
		selector=$signed_exe
		expect_choice 5
		selector=$exe
		end
	fi
done

if begin "signed with a certificate that the authority never issued: refused" signing; then
	sign_once
	verify "$work/other.exe" && fail "accepted"
	end
fi

if begin "signing with a wrong password: no ZIP is made" signing; then
	sign_once
	[ "$(cat "$work/wrong password.status")" != 0 ] || fail "packed"
	[ -e "$work/wrong password/$package.zip" ] && fail "a ZIP was left"
	end
fi

for refusal in "${refusals[@]}"; do
	IFS='|' read -r row _ reason <<< "$refusal"
	if begin "the gate refuses $row: no ZIP, one line that says why" signing; then
		sign_once
		[ "$(cat "$work/refused/$row.status")" != 0 ] || fail "packed"
		ls "$work/refused/$row" | grep -qF "$package.zip" && fail "a ZIP was left"
		grep -q "refused: .*$reason" "$work/refused/$row/cpack.log" ||
			fail "the gate said: $(grep -m 1 refused "$work/refused/$row/cpack.log")"
		end
	fi
done

if begin "no password or PIN in the arguments of a process that signs, nor in the packing's log" token; then
	token_once
	for trace in "$keys/token.execve" "$keys/file.execve"; do
		grep -q 'execve("[^"]*osslsigncode", \["osslsigncode", "sign"' "$trace" ||
			fail "${trace##*/} traced no signing"
	done
	grep -F -e "$pin" -e "$(cat "$keys/password")" "$keys/token.execve" "$keys/file.execve" \
		"$build/token/cpack.log" && fail "a secret above"
	end
fi
[ -z "${tsa:-}" ] || kill "$tsa"

# build NAME SOURCE DIR PRESET [OPTION...]: builds the selector from SOURCE in
# DIR, not tested.
build() {
	local name=$1 from=$2 dir=$3 preset=$4
	shift 4
	mkdir -p "$dir"
	"$cmake" -S "$from" -B "$dir" --preset "$preset" -DBUILD_TESTING=OFF "$@" > "$dir.log" 2>&1 &&
		"$cmake" --build "$dir" --target selector >> "$dir.log" 2>&1 ||
		fail "$name did not build: $(tail -n 5 "$dir.log")"
}

# Another builder: another folder, outside git but with SOURCE_DATE_EPOCH,
# another time zone and another umask.
if begin 'built again by another builder, the same bytes'; then
	copy=$work/elsewhere/selector
	mkdir -p "$copy"
	tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy" -xf -
	epoch=$(sed -n 's/.*SOURCE_DATE_EPOCH} "\([0-9]*\)".*/\1/p' "$build/CPackOptions.cmake")
	other_umask=0002
	[ "$(umask)" = 0002 ] && other_umask=0022
	(
		umask "$other_umask"
		export TZ=Europe/Paris SOURCE_DATE_EPOCH=$epoch
		build 'the copy for Windows' "$copy" "$copy/build/windows" windows -DSKETCH_FOLDER="$folder"
		"$cpack" --config "$copy/build/windows/CPackConfig.cmake" -B "$copy/build/windows" > /dev/null 2>&1
	) || fail "the copy's ZIP"
	for file in "$package.zip" "$package.zip.sha256"; do
		cmp -s "$unpacked/$file" "$copy/build/windows/$file" || fail "$file differs"
	done
	build 'the native selector' "$source" "$work/native" default
	build 'the native selector of the copy' "$copy" "$copy/build/native" default
	cmp -s "$build/selector.exe" "$copy/build/windows/selector.exe" || fail "selector.exe differs"
	cmp -s "$work/native/selector" "$copy/build/native/selector" || fail "the native selector differs"
	for binary in "$build/selector.exe" "$work/native/selector"; do
		strings "$binary" | grep -F -e "$source" -e "$work" && fail "${binary##*/} names its build folders"
	done
	end
fi
report
