#!/usr/bin/env bash
# The README's runnable commands run as shown: every line of a ```sh block
# right after a line "<!-- runnable -->" must exit 0. They run in a fresh
# folder whose scripts/ is the repository's, building into this test's own
# build folder. A command that would run for minutes or change the tree (above
# all scripts/test, which would run this test again) must not be marked.
# Usage: readme_commands_test.sh REPOSITORY BUILD_DIR
set -uo pipefail
root="$1"; build="$2"
readme="$root/README.md"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
ln -s "$root/scripts" "$work/scripts"

# "run COMMAND" for each marked line, "bad REASON" for a marker or block gone wrong.
lines="$(awk '
  marked && /^```sh$/   { marked = 0; inblock = 1; blocks++; next }
  marked                { print "bad line " NR ": <!-- runnable --> is not followed by a ```sh block"; marked = 0 }
  /^<!-- runnable -->$/ { marked = 1; next }
  inblock && /^```$/    { inblock = 0; next }
  inblock && NF         { print "run " $0 }
  END {
    if (marked || inblock) print "bad the README ends inside a runnable block"
    if (!blocks) print "bad the README has no runnable block"
  }' "$readme")"

failures=0
commands=0
while IFS= read -r entry; do
  [ -n "$entry" ] || continue
  kind="${entry%% *}"; text="${entry#* }"
  if [ "$kind" = bad ]; then
    echo "FAIL: $text"; failures=$((failures + 1)); continue
  fi
  if [[ "$text" =~ scripts/(test|sanitize|fuzz|package|bench|docs)([^A-Za-z0-9_-]|$) || "$text" == *.ci/run* ]]; then
    echo "FAIL: not to be marked runnable (too long, or it would change the tree or run this test): $text"
    failures=$((failures + 1)); continue
  fi
  commands=$((commands + 1))
  log="$work/command-$commands.log"
  if (cd "$work" && QZT_BUILD_DIR="$build" bash -c "$text") > "$log" 2>&1; then
    echo "ok: $text"
  else
    rc=$?
    echo "FAIL: $text exited $rc"; tail -n 20 "$log"; failures=$((failures + 1))
  fi
done <<< "$lines"

echo "$commands command(s) run, $failures failure(s)"
[ "$failures" -eq 0 ]
