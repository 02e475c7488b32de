#!/usr/bin/env bash
# Installs the build into a fresh prefix with a space in it, checks the desktop
# files with their validators, and starts the installed game from / by the
# program its desktop entry names, headless, the way a player's menu would. As
# root it plays as "nobody", who cannot write the installation, so the high
# score must go to that user's data folder.
set -euo pipefail
build=$(realpath "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/installed games"
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/velmora.desktop
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
for f in "$desktop" "$metainfo" "$prefix/games/velmora" "$prefix/games/velmora-sim" \
         "$prefix/share/games/velmora/Media/script_easy.txt" \
         "$prefix/share/icons/hicolor/256x256/apps/velmora.png" \
         "$prefix/share/man/man6/velmora.6.gz" "$prefix/share/man/man6/velmora-sim.6.gz" \
         "$prefix/share/doc/velmora/copyright" "$prefix/share/doc/velmora-data/copyright"; do
  [ -e "$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
if command -v appstreamcli >/dev/null; then appstreamcli validate --no-net "$metainfo" >/dev/null; fi

# The path has a space, so the entry quotes it.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "\"$prefix/games/velmora\"" ] || { echo "Exec=$exec_line" >&2; exit 1; }
program=$prefix/games/velmora
"$program" --version | grep -q '^velmora [0-9]'

home=$tmp/home
mkdir -p "$home"
as_player=()
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  chmod 755 "$tmp" && chmod -R a+rX "$prefix" && chown nobody "$home"
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# A clean environment, but for how a sanitizer build is asked to report.
sanitizers=()
for v in ASAN_OPTIONS UBSAN_OPTIONS; do
  [ -n "${!v:-}" ] && sanitizers+=("$v=${!v}")
done
cd /
env -i PATH=/usr/bin:/bin HOME="$home" SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
  "${sanitizers[@]}" "${as_player[@]}" "$program" 2>"$tmp/stderr" &
game=$!
# Once SDL has taken over SIGTERM, the game is up; let it play a moment, then
# end it with the signal, which it treats as a closed window.
for _ in $(seq 600); do
  kill -0 "$game" 2>/dev/null || break
  caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$game/status" 2>/dev/null || echo 0)
  (( 0x${caught:-0} & 0x4000 )) && break
  sleep 0.1
done
sleep 2
kill -TERM "$game"
status=0
wait "$game" || status=$?
# The only lines allowed say where the high score went.
if [ "$status" != 0 ] || grep -v 'option.ini' "$tmp/stderr" | grep -q .; then
  echo "the installed game ended with $status:" >&2
  cat "$tmp/stderr" >&2
  exit 1
fi
[ -f "$home/.config/velmora/settings.ini" ] || { echo "no settings written" >&2; exit 1; }
if [ ${#as_player[@]} -gt 0 ]; then
  [ -f "$home/.local/share/velmora/option.ini" ] || { echo "no high score kept" >&2; exit 1; }
fi
echo "the installed game started from / and ended cleanly"
