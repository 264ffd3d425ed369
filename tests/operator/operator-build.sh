#!/bin/bash
# An operator's build from scratch: one image of their own and their
# certificate (a throw-away one made here, its key behind a password). The
# launcher compiles their image in place of ours and keeps our others; the
# launcher, the setup program and the uninstaller it installs (under Wine,
# in a copy of the journeys' template prefix) verify against that
# certificate. The demo build next to it (DEMO_BIN) stays unsigned, with
# our image.
#   operator-build.sh --work DIR --template PREFIX --demo-bin DIR
set -euo pipefail

while [ $# -gt 0 ]; do
  case $1 in
    --work) work=$2 ;;
    --template) template=$2 ;;
    --demo-bin) demo_bin=$2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
src="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="$work"
. "$src/scripts/wine-session"

fail() { echo "$*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/art"
cert="$work/cert.pem" key="$work/key.pem" pass="the operator's key"
openssl req -x509 -newkey rsa:2048 -keyout "$key" -out "$cert" -days 2 -subj "/CN=Test operator" \
  -passout "pass:$pass" -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  2>/dev/null
ours="$src/res/images/png166.png" theirs="$work/art/png166.png"
python3 "$src/tests/operator/images.py" png "$theirs" 30 120 200,40,40

echo "-- configure and build the operator's setup program"
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DOPERATOR_ART="$work/art" \
      -DSIGN_CERT="$cert" -DSIGN_KEY="$key" -DSIGN_PASS="$pass" >"$work/configure.log" ||
  { cat "$work/configure.log"; fail "the operator's configure failed"; }
cmake --build "$work/build" --target installer >"$work/build.log" || { cat "$work/build.log"; fail "the operator's build failed"; }
launcher="$work/build/bin/launcher.exe"
setup=("$work"/build/bin/vesmera-setup-*.exe)

signed_by_operator() { # file
  osslsigncode verify -CAfile "$cert" -in "$1" >"$work/verify.log" 2>&1 || { cat "$work/verify.log"; return 1; }
}
unsigned() { # file
  local out
  out=$(osslsigncode verify -in "$1" 2>&1) && return 1
  grep -q "No signature found" <<<"$out"
}
holds() { # file part
  python3 -c 'import sys; sys.exit(open(sys.argv[2], "rb").read() not in open(sys.argv[1], "rb").read())' "$1" "$2"
}

echo "-- their image in place of ours, our others kept; the programs signed"
holds "$launcher" "$theirs" || fail "launcher.exe lacks the operator's png166.png"
holds "$launcher" "$ours" && fail "launcher.exe still holds our png166.png"
holds "$launcher" "$src/res/images/png155.png" || fail "launcher.exe lacks our png155.png"
signed_by_operator "$launcher" || fail "launcher.exe is not signed with the operator's certificate"
signed_by_operator "${setup[0]}" || fail "the setup program is not signed with the operator's certificate"

echo "-- the demo build: unsigned, with our image"
holds "$demo_bin/launcher.exe" "$ours" || fail "the demo launcher lacks our png166.png"
unsigned "$demo_bin/launcher.exe" || fail "the demo launcher is signed"
unsigned "$(ls "$demo_bin"/vesmera-setup-*.exe)" || fail "the demo setup program is signed"

echo "-- install it silently: the uninstaller it writes is signed too"
export WINEPREFIX="$work/prefix"
cp -a "$template" "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true' EXIT
session_own_user_folders
wine "${setup[0]}" /S || fail "the operator's setup program failed"
timeout 60 wineserver -w
folder="$WINEPREFIX/drive_c/users/$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public)/AppData/Local/Programs/Vesmera"
cmp -s "$folder/launcher.exe" "$launcher" || fail "the installed launcher is not the operator's"
signed_by_operator "$folder/uninstall.exe" || fail "the installed uninstaller is not signed with the operator's certificate"
rm -rf "$work"
echo "-- all as it should be"
