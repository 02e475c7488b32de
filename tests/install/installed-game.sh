#!/usr/bin/env bash
# Installs the build into a fresh prefix with a space in it, checks the desktop
# files with their validators, and starts the installed game from / by its
# desktop entry's Exec line, headless, the way a player's menu would: as the
# one who installed it (root, when the test runs as root) and as another player
# ("nobody"), with an XDG_DATA_HOME inside the installation, and with a home
# that cannot be written. The installation must come out of every run exactly
# as it went in, and the best score must be in the player's folder.
set -euo pipefail
build=$(realpath "$1")
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
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
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --pedantic --no-net "$metainfo" >"$tmp/appstream" ||
    { cat "$tmp/appstream" >&2; exit 1; }
fi

# The path has a space, so the entry quotes it.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "\"$prefix/games/velmora\"" ] || { echo "Exec=$exec_line" >&2; exit 1; }
game=$prefix/games/velmora
"$game" --version | grep -q '^velmora [0-9]'

[ "$(id -u)" = 0 ] && command -v setpriv >/dev/null && can_switch=1 || can_switch=0
if [ $can_switch = 1 ]; then
  chmod 755 "$tmp" && chmod -R a+rX "$prefix"
fi
# A clean environment, but for how a sanitizer build is asked to report.
sanitizers=()
for v in ASAN_OPTIONS UBSAN_OPTIONS; do
  [ -n "${!v:-}" ] && sanitizers+=("$v=${!v}")
done
snapshot() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(snapshot)

# play NAME PLAYER HOME [VAR=VALUE...]: starts the installed game from / as
# PLAYER (root or nobody), lets it run a moment and ends it with SIGTERM, which
# it treats as a closed window. What it said is in $tmp/NAME.err.
play() {
  local name=$1 player=$2 home=$3
  shift 3
  local as_player=()
  if [ "$player" = nobody ]; then
    as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  (cd / && exec env -i PATH=/usr/bin:/bin HOME="$home" SDL_VIDEODRIVER=offscreen \
     SDL_AUDIODRIVER=dummy "${sanitizers[@]}" "$@" "${as_player[@]}" "$game") \
    2>"$tmp/$name.err" &
  local pid=$!
  # Once SDL has taken over SIGTERM, the game is up; let it play a moment.
  for _ in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || break
    local caught
    caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    (( 0x${caught:-0} & 0x4000 )) && break
    sleep 0.1
  done
  sleep 2
  kill -TERM "$pid" 2>/dev/null || true
  local status=0
  wait "$pid" || status=$?
  if [ "$status" != 0 ]; then
    echo "$name: the installed game ended with $status:" >&2
    cat "$tmp/$name.err" >&2
    exit 1
  fi
  if [ "$(snapshot)" != "$before" ]; then
    echo "$name: the installation changed:" >&2
    diff <(echo "$before") <(snapshot) >&2 || true
    exit 1
  fi
}
# expect_kept NAME HOME: the run said nothing and kept its settings and score there.
expect_kept() {
  if [ -s "$tmp/$1.err" ]; then
    echo "$1: the installed game said:" >&2
    cat "$tmp/$1.err" >&2
    exit 1
  fi
  for f in .config/velmora/settings.ini .local/share/velmora/option.ini; do
    [ -f "$2/$f" ] || { echo "$1: no $f kept in the player's home" >&2; exit 1; }
  done
}

players=(root)
if [ $can_switch = 1 ]; then players+=(nobody); else players=("$(id -un)"); fi
for player in "${players[@]}"; do
  home=$tmp/home-$player
  mkdir -p "$home"
  [ "$player" = nobody ] && chown nobody "$home"
  play "$player" "$player" "$home"
  expect_kept "$player" "$home"
done

# An XDG_DATA_HOME inside the installation counts as unset.
player=${players[-1]}
home=$tmp/home-xdg
mkdir -p "$home"
[ "$player" = nobody ] && chown nobody "$home"
play xdg "$player" "$home" XDG_DATA_HOME="$prefix/share"
expect_kept xdg "$home"

# A home nobody can write: the game plays and says once where it cannot keep the score.
home=$tmp/home-read-only
mkdir -p "$home"
chmod 555 "$home"
if [ "$player" = root ]; then
  # Root writes anywhere it has permission bits for; a file in the home's place stops it.
  rmdir "$home" && touch "$home"
fi
play read-only "$player" "$home"
said=$(grep -c 'the high score is not kept' "$tmp/read-only.err" || true)
if [ "$said" != 1 ]; then
  echo "read-only: the game did not say once where it cannot keep the score:" >&2
  cat "$tmp/read-only.err" >&2
  exit 1
fi
echo "the installed game started from / as ${players[*]} and ended cleanly, its installation untouched"
