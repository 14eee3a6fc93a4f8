#!/usr/bin/env bash
# CI: builds the Debian package and shows that it works as installed.
#  1. `make deb`; the desktop entry and the AppStream data validate.
#  2. `apt-get install ./songloom_*.deb`: launchers, man pages, menu entry
#     and icons are where the desktop looks for them.
#  3. The installed program starts under Xvfb (with openbox) as an ordinary
#     user with an empty home: the starter chords and custom.dic (the
#     program's starter words) are copied into the user's data folder, the songs folder is made, no message
#     box comes up and the program folder stays as the package laid it out.
#  4. A chord is saved into the user's library and a song written into the
#     songs folder (with songloom-cli); `songloom SONG` opens that song.
#  5. The user wrote nothing outside the home folder.
#  6. `apt-get remove songloom` leaves nothing of the package outside the
#     user's home: every packaged file is gone and no new file or folder is
#     left under /usr, /etc, /opt or /var/lib.
# Needs root (or sudo). Screenshots and logs go to $BUILD/ci-package/.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
display_number=${SONGLOOM_CI_DISPLAY:-97}
ci_user=${SONGLOOM_CI_USER:-songloom-ci}
artifacts=$BUILD/ci-package
app_id=example.hollowpine.Songloom
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

step() { echo "== $*"; }
fail() { echo "ci-package: FAIL: $*" >&2; exit 1; }

scripts/install-deps.sh package
rm -rf "$artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d /tmp/songloom-ci.XXXXXX)
chmod 755 "$work"
pids=()
created_user=no
installed_by_us=no
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ "$installed_by_us" = yes ] && dpkg-query -W -f='${Status}' songloom 2>/dev/null | grep -q "ok installed"; then
    $sudo apt-get remove -y -qq songloom >/dev/null || true
  fi
  [ "$created_user" = yes ] && $sudo userdel "$ci_user" 2>/dev/null || true
  $sudo rm -rf "$work"
}
trap cleanup EXIT

step "Building the package"
rm -f "$BUILD"/songloom_*.deb
# Warnings as errors, as the rest of CI builds the same tree.
make deb BUILD="$BUILD" WERROR="${WERROR:-1}"
deb=$(ls "$BUILD"/songloom_*.deb)
cp "$deb" "$work/"
deb="$work/$(basename "$deb")"
chmod 644 "$deb"

step "Validating the desktop entry and the AppStream data"
desktop-file-validate "resources/desktop/$app_id.desktop"
appstreamcli validate --no-net "resources/desktop/$app_id.metainfo.xml"

if dpkg-query -W -f='${Status}' songloom 2>/dev/null | grep -q "ok installed"; then
  fail "songloom is installed already; remove it first"
fi
if ! id "$ci_user" >/dev/null 2>&1; then
  $sudo useradd --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$ci_user"
  created_user=yes
fi
uid=$(id -u "$ci_user")
gid=$(id -g "$ci_user")

# Everything under these roots, but for the package manager's own records.
snapshot() {
  $sudo find /usr /etc /opt /var/lib -xdev \
    \( -path /var/lib/dpkg -o -path /var/lib/apt -o -path /var/lib/ucf -o -path /var/lib/systemd \) -prune \
    -o -print | sort >"$1"
}
snapshot "$work/before.txt"

step "Installing $(basename "$deb")"
installed_by_us=yes
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >"$artifacts/apt-install.log" 2>&1 \
  || { cat "$artifacts/apt-install.log"; fail "apt-get install"; }
dpkg -L songloom | sort >"$artifacts/package-files.txt"
program_folder=/usr/lib/songloom
for path in /usr/bin/songloom /usr/bin/songloom-cli "$program_folder/NewSongTemplate.rtf" \
            "$program_folder/SpellUS.lex" "/usr/share/applications/$app_id.desktop" \
            "/usr/share/metainfo/$app_id.metainfo.xml" /usr/share/icons/hicolor/scalable/apps/songloom.svg \
            /usr/share/man/man1/songloom.1.gz /usr/share/man/man1/songloom-cli.1.gz; do
  [ -e "$path" ] || fail "$path is not installed"
done
for size in 16 24 32 48 64 128 256; do
  [ "$(identify -format %wx%h "/usr/share/icons/hicolor/${size}x${size}/apps/songloom.png")" = "${size}x${size}" ] \
    || fail "the ${size}px icon is not ${size}x${size}"
done
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
zcat /usr/share/man/man1/songloom-cli.1.gz | grep -q "songloom-cli" || fail "the man page of songloom-cli is empty"
[ "$(songloom --version)" = "Songloom 2.0.2" ] || fail "songloom --version says $(songloom --version)"
starter_count=$(find "$program_folder/BitMaps" -type f | wc -l)
[ "$starter_count" -gt 0 ] || fail "the package has no starter chords"
(cd "$program_folder" && find . | sort) >"$work/program-folder.txt"

step "Starting the installed program as $ci_user with an empty home"
home="$work/home"
runtime="$work/runtime"
mkdir -p "$home" "$runtime"
chmod 700 "$home" "$runtime"
$sudo chown "$uid:$gid" "$home" "$runtime"
# A display nobody else uses.
while [ -e "/tmp/.X$display_number-lock" ] || [ -e "/tmp/.X11-unix/X$display_number" ]; do
  display_number=$((display_number + 1))
done
# setpriv and env replace themselves by the command, so $! of a background
# run is the program's own process id.
as_user=(setpriv --reuid="$uid" --regid="$gid" --init-groups
         env -i HOME="$home" USER="$ci_user" PATH=/usr/bin:/bin LANG=C.UTF-8
         DISPLAY=":$display_number" XDG_RUNTIME_DIR="$runtime")
[ -z "$sudo" ] || as_user=("$sudo" "${as_user[@]}")
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$artifacts/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display_number" ] && break; sleep 0.1; done
openbox >"$artifacts/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# Waits for a window whose title is exactly $1; prints its id.
wait_for_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# Starts the program, waits for the title, checks that no other window of it
# came up, takes a screenshot, closes it as a user would and waits for the end.
run_program() {
  local title=$1 shot=$2
  shift 2
  "${as_user[@]}" songloom "$@" >>"$artifacts/songloom.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  local window
  window=$(wait_for_window "$title") || { import -window root "$artifacts/$shot"; fail "no window \"$title\""; }
  sleep 1
  local count
  count=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l || true)
  import -window root "$artifacts/$shot"
  [ "$count" -eq 1 ] || fail "$count windows at start (a message box?), see $artifacts/$shot"
  xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "songloom did not end after its window was closed"; fi
  wait "$pid" || fail "songloom ended with an error"
}

run_program "Songloom - NewSong1" first-start.png

data="$home/.local/share/Songloom/Songloom"
songs="$home/Documents/Songloom"
[ -d "$data/BitMaps" ] || fail "no chord library in the user's data folder $data"
diff <(cd "$program_folder/BitMaps" && find . -type f | sort) <(cd "$data/BitMaps" && find . -type f | sort) \
  || fail "the starter chords were not all copied into $data/BitMaps"
cmp -s "$program_folder/custom.dic" "$data/custom.dic" || fail "custom.dic was not copied into $data"
[ -d "$songs" ] || fail "no songs folder $songs"
diff "$work/program-folder.txt" <(cd "$program_folder" && find . | sort) || fail "the program folder was written"
grep -q "ChordLibPath=$data/BitMaps/" "$home/.config/Songloom/Songloom.conf" \
  || fail "the settings do not name the user's library"
echo "starter chords copied: $starter_count; songs folder: $songs"

step "Saving a chord into the user's library and a song into the songs folder"
"${as_user[@]}" songloom-cli chord --define "{define: Cadd9 base-fret 1 frets x 3 2 0 3 0}" --output-dir "$data/BitMaps"
[ -f "$data/BitMaps/Cadd9" ] || fail "the chord Cadd9 was not saved in $data/BitMaps"
"${as_user[@]}" songloom-cli convert "$program_folder/NewSongTemplate.rtf" "$songs/First Song.rtf"
[ -s "$songs/First Song.rtf" ] || fail "no song written into $songs"
run_program "Songloom - First Song.rtf" song-opened.png "$songs/First Song.rtf"
[ "$(find "$data/BitMaps" -type f | wc -l)" -eq $((starter_count + 1)) ] || fail "the user's library changed at the second start"

step "Checking that the user wrote nothing outside the home folder"
# Files others remove while the search runs make find complain; that is no failure.
outside=$($sudo find / -xdev \( -path /proc -o -path "$home" -o -path "$runtime" \) -prune \
  -o -user "$ci_user" -print 2>/dev/null || true)
[ -z "$outside" ] || fail "files of $ci_user outside the home: $outside"
(cd "$home" && find . | sort) >"$artifacts/home-files.txt"

step "Removing the package"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq songloom >"$artifacts/apt-remove.log" 2>&1 \
  || { cat "$artifacts/apt-remove.log"; fail "apt-get remove"; }
installed_by_us=no
while read -r path; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  [ -d "$path" ] && [ ! -L "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  fail "$path is left after removing the package"
done <"$artifacts/package-files.txt"
snapshot "$work/after.txt"
# Caches the desktop rebuilds after each change may stay, if they no longer
# name Songloom; anything else new must belong to another package.
left=()
while read -r path; do
  case "$path" in
    */icon-theme.cache|*/mimeinfo.cache|/usr/share/mime/*|/usr/share/applications/desktop.*.cache)
      ! grep -qi songloom "$path" 2>/dev/null || left+=("$path") ;;
    *) dpkg -S "$path" >/dev/null 2>&1 || left+=("$path") ;;
  esac
done < <(comm -13 "$work/before.txt" "$work/after.txt")
[ ${#left[@]} -eq 0 ] || fail "left after removing the package: ${left[*]}"
echo "ci-package: all checks passed"
