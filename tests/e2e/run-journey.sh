#!/bin/bash
# Runs one end-to-end journey of the launcher, or makes the prefix they start
# from:
#   run-journey.sh template|JOURNEY --driver EXE --standin DLL --work DIR --port N [--setup EXE]
# A journey gets a fresh copy of the template prefix (initialised, the stand-in
# browser control registered) and the demo site on the launcher's port; the
# driver's test Journey.JOURNEY then plays it. Afterwards the prefix must hold
# no file or folder the run created, changed or removed, apart from Wine's
# registry files and the browser's cache, cookie and history stores.
# The journey Install plays the setup program EXE: it installs and uninstalls,
# and afterwards no key of the installation may be left either.
# Needs DISPLAY (scripts/test and scripts/screenshots provide one). With
# E2E_SHOTS set to a folder, the driver saves pictures of the run there.
set -euo pipefail

journey=$1
shift
setup=""
while [ $# -gt 0 ]; do
  case $1 in
    --driver) driver=$2 ;;
    --standin) standin=$2 ;;
    --work) work=$2 ;;
    --port) port=$2 ;;
    --setup) setup=$2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
src="$(cd "$(dirname "$0")/../.." && pwd)"
template="$work/template-prefix"

# For its helpers; it names a prefix after BUILD, but each run here sets its own.
BUILD="$work"
. "$src/scripts/wine-session"

# The template is made once per Wine version: a newer Wine would update a
# copied prefix on its first start, and the journey would take that for
# files the launcher wrote.
template_ready() { [ "$(cat "$template.ready" 2>/dev/null)" = "$(wine --version)" ]; }

make_template() {
  exec 9>"$work/template.lock"
  flock 9
  template_ready && return 0
  rm -rf "$template" "$template.ready"
  export WINEPREFIX="$template"
  session_init_prefix
  session_register_standin "$standin"
  # Stopping the server writes the registry out.
  wineserver -k
  wine --version >"$template.ready"
}

# Everything in the prefix but Wine's registry files and the web stores
# (WinINet's cache, cookies and history), with size and time for files.
snapshot() {
  (cd "$WINEPREFIX" &&
   find . -path ./dosdevices -prune -o -type d -printf '%p/\n' -o -printf '%p %s %T@\n') |
    grep -Ev '^\./[^/]*\.reg |/AppData/Local/Microsoft/Windows/(INetCache|INetCookies|History)/' |
    LC_ALL=C sort
}

# Where the document mode of each program is kept.
emulation='HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION'

# The uninstaller hands over to a copy of itself in the temporary folder and
# returns at once: wait for the prefix's programs to end. That copy cannot
# delete itself while it runs and asks to be deleted at the next restart,
# which Wine grants (Windows only with administrator rights), so the prefix is
# restarted. Then no key of the installation may be left.
installation_gone() {
  timeout 60 wineserver -w || { echo "the prefix's programs did not end" >&2; return 1; }
  wineboot -r >/dev/null 2>&1
  timeout 60 wineserver -w || true
  local left=0
  if ! wine reg query "$emulation" /v other.exe >/dev/null 2>&1; then
    echo "The uninstall took another program's document mode value" >&2
    left=1
  fi
  if wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vesmera' >/dev/null 2>&1; then
    echo "The uninstall left its installed-programs entry" >&2
    left=1
  fi
  if wine reg query "$emulation" /v launcher.exe >/dev/null 2>&1; then
    echo "The uninstall left the launcher's document mode value" >&2
    left=1
  fi
  timeout 60 wineserver -w || true
  return $left
}


demo_pid=""
stop_journey() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null && wait "$demo_pid" 2>/dev/null || true
  demo_pid=""
  wineserver -k 2>/dev/null || true
}

run_journey() {
  local dir="$work/journeys/$journey" status
  template_ready || { echo "No template prefix for this Wine: run the e2e_prefix test first" >&2; return 1; }
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -a "$template" "$dir/prefix"
  export WINEPREFIX="$dir/prefix"
  trap stop_journey EXIT
  trap 'exit 1' TERM INT

  if port_answers "$port"; then
    echo "port $port is in use: the demo site cannot start" >&2
    return 1
  fi
  python3 "$src/demo/server.py" "$port" >"$dir/demo-site.log" 2>&1 &
  demo_pid=$!
  wait_until 10 port_answers "$port" || { echo "the demo site did not start" >&2; cat "$dir/demo-site.log" >&2; return 1; }

  if [ "$journey" = Install ]; then
    session_own_user_folders
    # Another program's value next to the launcher's, which must stay.
    wine reg add "$emulation" /v other.exe /t REG_DWORD /d 11000 /f >/dev/null 2>&1
    export E2E_SETUP
    E2E_SETUP="$(winepath -w "$setup" 2>/dev/null)"
  fi
  snapshot >"$dir/files-before"
  STANDIN_LOG="Z:${dir//\//\\}\\standin.log" wine "$driver" --gtest_filter="Journey.$journey" && status=0 || status=$?
  if [ "$journey" = Install ] && ! installation_gone; then status=1; fi
  stop_journey
  # Windows has the folder of per-user programs; a fresh prefix lacks it,
  # and an emptied one may stay.
  snapshot | grep -vx '\./drive_c/users/[^/]*/AppData/Local/Programs/' >"$dir/files-after"

  if ! diff "$dir/files-before" "$dir/files-after" >"$dir/files-changed"; then
    echo "The run changed the prefix outside the registry and the web stores (< before, > after):" >&2
    cat "$dir/files-changed" >&2
    status=1
  fi
  # A passed journey's prefix is of no more use; a failed one is kept to look at.
  [ "$status" -eq 0 ] && rm -rf "$dir/prefix"
  return "$status"
}

if [ "$journey" = template ]; then
  make_template
else
  run_journey
fi
