#!/usr/bin/env bash
# Makes the Debian packages from the build and checks them as a packager
# would: the programs and the arch-independent data apart, the one depending on
# the very same version of the other, the GL runtime and the soundfont among
# the dependencies, hardened programs without the compilers' notes, and,
# when lintian is installed, nothing for it to say.
# Exits with 77 (skipped) where no package can be made: without dpkg's tools,
# or from a sanitizer build, which is never packaged.
set -euo pipefail
build=$(realpath "$1")
for tool in dpkg-deb dpkg-shlibdeps readelf; do
  command -v $tool >/dev/null || { echo "$tool is not installed: no package made"; exit 77; }
done
if grep -q '^VELMORA_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "a sanitizer build is not packaged"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log" >&2; exit 1; }
fail() { echo "$*" >&2; exit 1; }

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
game=$(ls "$tmp"/velmora_*.deb)
data=$(ls "$tmp"/velmora-data_*_all.deb)
field() { dpkg-deb -f "$1" "$2"; }

[ "$(field "$game" Architecture)" = "$(dpkg --print-architecture)" ] || fail "velmora: not $(dpkg --print-architecture)"
[ "$(field "$data" Architecture)" = all ] || fail "velmora-data: not Architecture: all"
# Each item of a relation field, one a line, without version constraints of the libraries.
items() { field "$1" "$2" | tr ',' '\n' | sed 's/^ *//; s/ *$//'; }
depends=$(items "$game" Depends)
for needed in "velmora-data (= $version)" libgl1 libegl1 timgm6mb-soundfont; do
  grep -qxF "$needed" <<<"$depends" || fail "velmora does not depend on $needed: $depends"
done
grep -q '^libsdl2-2.0-0 ' <<<"$depends" || fail "velmora: no libraries from dpkg-shlibdeps: $depends"
grep -qx 'libgl1-mesa-dri' <<<"$(items "$game" Recommends)" || fail "velmora does not recommend Mesa's drivers"
[ -z "$(field "$data" Depends)" ] || fail "velmora-data depends on $(field "$data" Depends)"

# The programs in one, the data in the other, each with its copyright and changelog.
dpkg-deb -x "$game" "$tmp/game"
dpkg-deb -x "$data" "$tmp/data"
for f in usr/games/velmora usr/games/velmora-sim usr/share/applications/velmora.desktop \
         usr/share/man/man6/velmora.6.gz usr/share/doc/velmora/copyright usr/share/doc/velmora/changelog.gz; do
  [ -e "$tmp/game/$f" ] || fail "velmora lacks $f"
done
for f in usr/share/games/velmora/Media/script_easy.txt usr/share/icons/hicolor/256x256/apps/velmora.png \
         usr/share/doc/velmora-data/copyright usr/share/doc/velmora-data/changelog.gz; do
  [ -e "$tmp/data/$f" ] || fail "velmora-data lacks $f"
done
[ ! -e "$tmp/game/usr/share/games" ] || fail "velmora carries the data"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$tmp/game/usr/share/doc/velmora/copyright" || fail "the copyright file is not machine-readable"
while IFS= read -r -d '' f; do
  [ "$(head -c 4 "$f" | od -An -c | tr -d ' ')" != '177ELF' ] || fail "velmora-data carries a program: $f"
done < <(find "$tmp/data" -type f -print0)

# Hardened as Debian builds: PIE, full RELRO, stack protection, checked functions, no .comment.
for program in velmora velmora-sim; do
  elf=$tmp/game/usr/games/$program
  readelf -h "$elf" | grep -q 'Type: *DYN' || fail "$program is not position-independent"
  readelf -lW "$elf" | grep -q GNU_RELRO || fail "$program has no RELRO"
  readelf -dW "$elf" | grep -q 'BIND_NOW' || fail "$program does not bind now"
  symbols=$(readelf --dyn-syms -W "$elf")
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program has no stack protection"
  grep -q '__[a-z_]*_chk@' <<<"$symbols" || fail "$program has no checked functions"
  ! readelf -SW "$elf" | grep -q ' \.comment ' || fail "$program keeps its .comment"
done

if command -v lintian >/dev/null; then
  lintian -i -I -E --pedantic --fail-on error,warning "$game" "$data" >"$tmp/lintian" 2>&1 ||
    { cat "$tmp/lintian" >&2; fail "lintian has something to say"; }
else
  echo "lintian is not installed: not asked"
fi
echo "velmora and velmora-data $version packaged and checked"
