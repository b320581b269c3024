#!/usr/bin/env bash
# Makes the zip archives of the zip reader's tests with Info-ZIP zip, at test
# time, into OUT_DIR (emptied first); the files they hold go to OUT_DIR/src.
#   tools/make-test-zips.sh OUT_DIR
set -euo pipefail
out=${1:?output folder}
rm -rf "$out"
mkdir -p "$out/src"
cd "$out/src"
export TZ=UTC

printf 'Hello, zip.\r\n' > hello.txt
seq 1 200000 > big.txt
# Bytes of every value, repeated, so that escapes and zeros are in the data.
python3 -c 'import sys; sys.stdout.buffer.write(bytes(range(256)) * 97 + b"\x00\x01")' > binary.bin
mkdir -p a/b d sub
printf 'deep\n' > a/b/c.txt
printf 'first\n' > first.txt
# bzip2 (method 12) only where it shrinks the file, so a long one.
seq 1 5000 > second.txt
printf 'ok\n' > sub/ok.txt
printf 'evil\n' > evil.txt
printf 'from the future\n' > future.txt
touch -d '2099-06-01 12:00:00' future.txt
printf 'dated\n' > dated.txt
touch -d '2001-02-03 04:05:06' dated.txt
printf 'package readme\n' > readme.txt
printf 'plug-in one\n' > wps000001.zta
printf 'plug-in two\n' > wps000002.zta

z() { zip -q -X "$@"; }
z -0 ../stored.zip hello.txt binary.bin
z -9 ../deflated.zip hello.txt big.txt binary.bin
# A pipe as output: zip can't seek back, so every entry gets a data
# descriptor (flag bit 3, compressed size 0 in the local header).
zip -q -X - big.txt hello.txt binary.bin | cat > ../descriptors.zip
# Standard input as the entry ("-"): without and with Zip64 sizes.
seq 1 50000 | zip -q -X -fz- - - | cat > ../stdin.zip
seq 1 50000 | zip -q -X - - | cat > ../stdin64.zip
# Standard input to a file that can be seeked: Zip64 sizes in the extra field.
seq 1 50000 | zip -q -X ../stdin_seekable.zip -
z -D ../folders.zip a/b/c.txt
z ../folder_entry.zip d
z -0 ../dated.zip dated.txt
z ../future.zip future.txt
z -0 ../method12.zip first.txt
z -Z bzip2 ../method12.zip second.txt
(cd sub && zip -q -X ../../dotdot.zip ok.txt ../evil.txt)
z ../absolute.zip first.txt evil.txt
printf '@ evil.txt\n@=/abs/evil.txt\n@ (comment above this line)\n@ (zip file comment below this line)\n' |
  zipnote -w ../absolute.zip
z inner.zip wps000001.zta wps000002.zta
z ../package.zip inner.zip readme.txt
rm inner.zip
z ../no_inner.zip readme.txt
: > ../empty.zip
printf 'PK\005\006\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' > ../end_record_only.zip
echo "test archives in $out"
