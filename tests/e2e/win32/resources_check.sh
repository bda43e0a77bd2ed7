#!/usr/bin/env bash
# The pictures travel inside the executables unchanged: every numbered
# picture of Brisander.scr is byte for byte the committed file (with its
# table dimensions), the Linux build carries the same bytes, and the
# screen saver is a 32-bit GUI program that needs only system DLLs.
source "$(dirname "$0")/../lib.sh"

SCR="$1"
PICTURES="$E2E_DIR/../../src/resources/pictures"
[ -f "$SCR" ] || fail "no executable at $SCR"

# number file width x height
pictures=(
  "105 info-105.jpg 445x241"
  "110 photo-110.jpg 1024x768"
  "111 photo-111.jpg 1024x284"
  "112 photo-112.jpg 1024x768"
  "113 photo-113.jpg 576x768"
  "114 photo-114.jpg 1024x768"
  "115 photo-115.jpg 1024x768"
  "116 photo-116.jpg 576x768"
  "117 photo-117.jpg 1024x768"
  "118 photo-118.jpg 1024x768"
  "119 photo-119.jpg 1024x768"
  "120 photo-120.jpg 1024x449"
  "121 photo-121.jpg 1024x768"
)

note "RCDATA of $SCR"
for entry in "${pictures[@]}"; do
  read -r number file size <<<"$entry"
  extracted="$WORK_DIR/rcdata-$number"
  wrestool -x -R --type=10 --name="$number" "$SCR" >"$extracted"
  [ -s "$extracted" ] || fail "RCDATA $number is missing"
  cmp -s "$extracted" "$PICTURES/$file" || fail "RCDATA $number differs from $file"
  actual="$(identify -format '%wx%h %m' "$extracted")"
  [ "$actual" = "$size JPEG" ] || fail "RCDATA $number is $actual, expected $size JPEG"
done
wrestool -x -R --type=10 --name=122 "$SCR" >"$WORK_DIR/rcdata-122" 2>/dev/null || true
[ ! -s "$WORK_DIR/rcdata-122" ] || fail "there is an RCDATA 122"

note "kind of executable"
kind="$(file -b "$SCR")"
[[ "$kind" == "PE32 executable (GUI) Intel 80386"* ]] || fail "not a 32-bit GUI executable: $kind"
system_dlls=(advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll windowscodecs.dll)
imports="$(objdump -p "$SCR" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')"
[ -n "$imports" ] || fail "objdump found no imports"
for dll in $imports; do
  [[ " ${system_dlls[*]} " == *" $dll "* ]] || fail "imports $dll, which is not a system DLL"
done

LINUX_EXE="$BUILD_DIR/../linux/src/brisander"
if [ ! -f "$LINUX_EXE" ]; then
  note "SKIPPED the Linux half: no Linux build at $LINUX_EXE"
  exit 0
fi
note "pictures in $LINUX_EXE"
python3 - "$LINUX_EXE" "$PICTURES" "${pictures[@]}" <<'PY' || fail "the Linux build lacks pictures"
import sys
binary = open(sys.argv[1], "rb").read()
missing = [f for f in (e.split()[1] for e in sys.argv[3:])
           if open(f"{sys.argv[2]}/{f}", "rb").read() not in binary]
for f in missing:
    print(f"{f} is not embedded byte for byte", file=sys.stderr)
sys.exit(1 if missing else 0)
PY
note "all pictures identical"
