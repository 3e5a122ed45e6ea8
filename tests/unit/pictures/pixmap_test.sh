#!/bin/sh
# Checks of the pixmap tool:  pixmap_test.sh TOOL SOURCE_DIR WORK_DIR
#   convert: every map of both deliverables converts as the Windows build converts it;
#   encode:  a small odd-sized map gives exactly the bytes of the formats (padding, nibbles, mask);
#   reject:  faulty maps and arguments end the tool with code 1 and one line naming the fault.
tool=$1 src=$2 work=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
mkdir -p "$work" && cd "$work" || exit 1
rm -f ./*.ico ./*.bmp ./*.pixmap ./*.err

# convert: the tray's eight icons, which must all differ (each shows other held buttons) ...
for held in 0 1 2 3 4 5 6 7; do
  "$tool" ico "$src/tray/resources/icons/mouse.pixmap" "tray$held.ico" $held 2>tray.err && [ ! -s tray.err ] \
    || fail "tray icon with held $held: $(cat tray.err)"
  [ "$(od -An -tx1 -N6 "tray$held.ico" | tr -d ' ')" = 000001000200 ] || fail "tray$held.ico is not an icon of two sizes"
done
[ "$(cksum tray?.ico | cut -d' ' -f1 | sort -u | wc -l)" -eq 8 ] || fail "the eight tray icons are not all different"
# ... and every applet picture, of the kind its name asks for.
for map in "$src"/applet/resources/pictures/*.pixmap; do
  stem=$(basename "$map" .pixmap)
  case $stem in icon*) kind=ico magic=000001 ;; *) kind=bmp magic=424d ;; esac
  "$tool" $kind "$map" "$stem.$kind" 2>"$stem.err" && [ ! -s "$stem.err" ] || fail "$stem: $(cat "$stem.err")"
  case $(od -An -tx1 -N3 "$stem.$kind" | tr -d ' ') in $magic*) ;; *) fail "$stem.$kind does not start as a .$kind" ;; esac
done

# encode: 3 by 2 pixels, so rows need padding and the last byte of a row holds one pixel.
printf 'colour . transparent\ncolour k 000000\ncolour s c0c0c0\nbutton L left\npixels\nkLs\ns.k\n' > small.pixmap
expect_hex() {  # expect_hex FILE HEX: the file's bytes, as hex
  [ "$(od -An -v -tx1 "$1" | tr -d ' \n')" = "$2" ] || fail "$1 is $(od -An -v -tx1 "$1" | tr -d ' \n'), expected $2"
}
# The 16 standard colours as blue, green, red, 0.
palette=00000000000080000080000000808000800000008000800080800000c0c0c000808080000000ff0000ff000000ffff00ff000000ff00ff00ffff0000ffffff00
printf 'colour k 000000\ncolour s c0c0c0\ncolour R ff0000\npixels\nkRs\nsRk\n' > opaque.pixmap
"$tool" bmp opaque.pixmap small.bmp || fail "small bitmap"
# File header (126 bytes, pixels at 118), info header (8 bytes of pixels), palette, then the
# rows bottom-up: "s R k" and "k R s", four bits a pixel, each row padded to 4 bytes.
expect_hex small.bmp "424d7e000000000000007600000028000000030000000200000001000400000000000800000000000000000000001000000000000000$palette""7900000009700000"
"$tool" ico small.pixmap small.ico 1 || fail "small icon"
# Directory of one image (3x2, 16 colours, 120 bytes at 22), header with the height doubled
# (16 bytes of pixels), palette, colour rows bottom-up ("s . k" with transparent as black,
# "k L s" with L held: red), then mask rows bottom-up (the transparent pixel set).
expect_hex small.ico "0000010001000302100001000400780000001600000028000000030000000400000001000400000000001000000000000000000000001000000000000000$palette""70000000097000004000000000000000"

# reject: a map (printf format), the arguments after the tool, a word of the expected message.
reject() {
  printf "$1" > bad.pixmap
  rm -f bad.out
  shift
  message=$1
  shift
  if "$tool" "$@" 2>bad.err; then
    fail "accepted: $*: $(cat bad.pixmap | tr '\n' '|')"
  elif [ "$(wc -l < bad.err)" -ne 1 ] || ! grep -q "^pixmap: .*$message" bad.err; then
    fail "for $(tr '\n' '|' < bad.pixmap) expected one line with '$message', got: $(cat bad.err)"
  elif [ -e bad.out ]; then
    fail "wrote bad.out although it failed: $*"
  fi
}
ok='colour k 000000\npixels\nk\n'
reject "$ok"                                      usage         png bad.pixmap bad.out
reject "$ok"                                      usage         ico bad.pixmap
reject "$ok"                                      HELD          ico bad.pixmap bad.out 8
reject "$ok"                                      HELD          bmp bad.pixmap bad.out 1
reject "$ok"                                      'cannot open' ico missing.pixmap bad.out
reject 'colour k 000000\n'                        "no 'pixels'" ico bad.pixmap bad.out
reject 'colour k 123456\npixels\nk\n'             'bad.pixmap:1: colour 123456 is not one of the 16' ico bad.pixmap bad.out
reject 'colour k 0x0000\npixels\nk\n'             'RRGGBB'      ico bad.pixmap bad.out
reject 'colour k 000000\ncolour k ffffff\npixels\nk\n' 'declared twice' ico bad.pixmap bad.out
reject "colour # 000000\npixels\n#\n"             "other than '#'" ico bad.pixmap bad.out
reject 'button L both\npixels\nL\n'               'left, middle or right' ico bad.pixmap bad.out
reject 'colour k 000000\npixels\nk\ncolour w ffffff\n' 'before the first' ico bad.pixmap bad.out
reject 'colour k 000000\npixels\nkk\nk\n'         'bad.pixmap:4: row is 1 pixels wide' ico bad.pixmap bad.out
reject 'colour k 000000\npixels\nkx\n'            "'x' has no colour" ico bad.pixmap bad.out
reject 'colour k 000000\npixels\nk\npixels\n'     'without rows' ico bad.pixmap bad.out
reject 'colour k 000000\npixels\nk\npixels\nk\n'  'exactly one image' bmp bad.pixmap bad.out
reject 'colour . transparent\npixels\n.\n'        'no transparent' bmp bad.pixmap bad.out
reject 'wrong\n'                                  'expected' ico bad.pixmap bad.out
awk 'BEGIN { printf "colour k 000000\npixels\n"; for (i = 0; i < 257; ++i) print "k" }' > tall.pixmap
"$tool" ico tall.pixmap bad.out 2>bad.err && fail "accepted an image 257 pixels high"
grep -q 'at most 256' bad.err || fail "257 pixels high: $(cat bad.err)"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
