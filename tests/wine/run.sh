#!/usr/bin/env bash
# Runs the Windows loader program under wine: it opens the Windows plug-in file
# with LoadLibrary in the stand-in host's DLLs and flies a short scenario.
# Exit status 77 (reported by CTest as skipped) only when wine is missing or
# cannot run even its own command interpreter here; the reason is printed.
# Usage: run.sh <qzt-wine-loader.exe> <QZTgov.xpl>
set -u
loader="$1"
plugin="$2"

wine=""
for candidate in "${QZT_WINE:-}" /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine="$candidate"; break; fi
done
if [ -z "$wine" ]; then
  echo "SKIPPED: wine is not installed (Debian's wine64 package; scripts/deps windows installs it)"
  exit 77
fi

# A prefix of our own under the build folder; its first use takes a few seconds
# to create. No display, no Mono or Gecko installer prompts, no debug chatter.
export WINEPREFIX="${QZT_WINEPREFIX:-$(cd "$(dirname "$loader")" && pwd)/prefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
server="$(dirname "$wine")/wineserver"
[ -x "$server" ] || server="$(command -v wineserver || true)"
cleanup() { [ -n "$server" ] && "$server" -w >/dev/null 2>&1; }
trap cleanup EXIT

probe_err="$(mktemp)"
probe="$(timeout 240 "$wine" cmd.exe /c echo wine-runs 2>"$probe_err" | tr -d '\r')"
if [ "$probe" != "wine-runs" ]; then
  echo "SKIPPED: wine ($wine) cannot run a Windows program on this machine:"
  sed 's/^/  /' "$probe_err" | tail -n 20
  rm -f "$probe_err"
  exit 77
fi
rm -f "$probe_err"

# The plug-in by its Windows path: wine shows the root folder as drive Z:.
abs="$(cd "$(dirname "$plugin")" && pwd)/$(basename "$plugin")"
winpath="Z:${abs//\//\\}"
echo "wine: $wine; prefix: $WINEPREFIX"
timeout 180 "$wine" "$loader" "$winpath"
status=$?
[ $status -eq 124 ] && echo "FAILED: the loader did not finish within 180 s"
exit $status
