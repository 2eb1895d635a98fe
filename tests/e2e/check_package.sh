#!/usr/bin/env bash
# Checks the Debian package the way a user meets it: installs it, starts the
# installed launcher on a virtual X screen with a fresh home folder, types a
# user name with real X key events, takes screenshots of the login window and
# the main window, checks that the launcher made and entered its folder, then
# ends the program and removes the package again.
#
# Usage (as root, or with sudo): tests/e2e/check_package.sh PACKAGE.deb [SHOTS_DIR]
# It changes the system (installs and removes the package "quendal"), so it
# is not part of the test suite.
set -euo pipefail
deb=$(readlink -f "${1:?usage: check_package.sh PACKAGE.deb [SHOTS_DIR]}")
shots=$(mkdir -p "${2:-package-screenshots}" && cd "${2:-package-screenshots}" && pwd)
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

home=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
cleanup() {
  "${as_root[@]}" apt-get remove -y -qq quendal >/dev/null 2>&1 || true
  rm -rf "$home" "$runtime"
}
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get install -y -qq "$deb" >/dev/null
echo "installed: $(dpkg-query -W -f='${Package} ${Version}' quendal)"
for f in /usr/bin/quendal /usr/lib/quendal/quendal /usr/lib/quendal/Qm.exe \
         /usr/share/applications/quendal.desktop \
         /usr/share/icons/hicolor/scalable/apps/quendal.svg; do
  [ -e "$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
# Every library the program needs comes with the package's dependencies.
if ldd /usr/lib/quendal/quendal | grep -q "not found"; then
  ldd /usr/lib/quendal/quendal | grep "not found" >&2
  exit 1
fi
grep -qx "Exec=quendal" /usr/share/applications/quendal.desktop
# The installed minimizer answers the exchange files (A'B + AB' here).
(cd "$home" && printf '01\r\n10' >in.txt && /usr/lib/quendal/Qm.exe in.txt out.txt &&
  [ "$(tr -d '\r' <out.txt | sort | tr '\n' ' ')" = "01 10 " ]) ||
  { echo "the installed Qm.exe did not minimize" >&2; exit 1; }
rm -f "$home/in.txt" "$home/out.txt"

# On the virtual screen: start the installed program as the desktop entry
# does, sign in with real key events, screenshot each window.
HOME="$home" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
    set -euo pipefail
    shots=$1
    quendal &
    pid=$!
    # The login form takes the keyboard focus when it appears.
    for _ in $(seq 100); do
      xdotool search --pid "$pid" >/dev/null 2>&1 && break
      sleep 0.1
    done
    sleep 1
    import -window root "$shots/package_login.png"
    xdotool type --delay 50 "test user"
    xdotool key Return
    sleep 2
    import -window root "$shots/package_main.png"
    kill -0 "$pid"
    title=$(xdotool search --pid "$pid" --name "Quendal  -  User  :  Test User" | head -1)
    [ -n "$title" ] || { echo "no main window for Test User" >&2; kill "$pid"; exit 1; }
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  ' bash "$shots"

[ -d "$home/Quendal" ] || { echo "the launcher did not make its folder" >&2; exit 1; }
echo "package check passed; screenshots in $shots"
