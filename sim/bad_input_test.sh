#!/bin/sh
# The demo told something it cannot do: each case names its real cause and
# ends with its own exit status, before any flight where it can.
# Usage: bad_input_test.sh DEMO PLUGIN WORKDIR
demo="$1"; plugin="$2"; work="$3"
rm -rf "$work"; mkdir -p "$work"
failures=0

# expect STATUS TEXT -- ARGS...: the demo exits with STATUS and says TEXT.
expect() {
  status="$1"; text="$2"; shift 3
  out="$("$demo" --plugin "$plugin" "$@" 2>&1)"; rc=$?
  if [ "$rc" -ne "$status" ]; then
    echo "FAIL: $* exited $rc, not $status"; echo "$out" | head -5; failures=$((failures + 1)); return
  fi
  case "$out" in
    *"$text"*) ;;
    *) echo "FAIL: $* did not say \"$text\""; echo "$out" | head -5; failures=$((failures + 1)); return ;;
  esac
  case "$out" in
    *"cannot load the plug-in"*) echo "FAIL: $* blames the plug-in"; failures=$((failures + 1)); return ;;
  esac
  echo "ok: $* -> $rc"
}

touch "$work/a-file"
expect 2 "unknown option --bogus" -- --bogus
expect 2 "--numbers takes plain or padded" -- --numbers round
expect 2 "--fps takes 10 to 200" -- --fps 5
expect 2 "--jitter takes a seed" -- --jitter fast
expect 2 'there is no moment "nonsense"' -- --at nonsense --pictures "$work/pics"
expect 2 "give --pictures DIR too" -- --at loaded
expect 4 "is a file, not a folder" -- --prefs-dir "$work/a-file"
expect 4 "cannot make the folder" -- --prefs-dir "$work/a-file/below"
expect 4 "cannot make the folder" -- --prefs-dir /proc/self/qztgov-prefs
expect 4 "is a file, not a folder" -- --pictures "$work/a-file"
expect 4 "cannot write in /proc/self" -- --pictures /proc/self
[ -z "$(ls -A "$work/pics" 2>/dev/null)" ] || { echo "FAIL: pictures written before the moments were checked"; failures=$((failures + 1)); }

# A picture that cannot be written once the flight is under way (its name is
# taken by a folder): one error, and the flight stops there.
mkdir -p "$work/taken/01-glider-loaded.png"
out="$("$demo" glider --plugin "$plugin" --pictures "$work/taken" --at loaded,end 2>&1)"; rc=$?
if [ "$rc" -ne 4 ] || [ "$(echo "$out" | grep -c 'cannot write the picture')" -ne 1 ] \
   || echo "$out" | grep -q '^summary'; then
  echo "FAIL: an unwritable picture gave status $rc:"; echo "$out" | tail -5; failures=$((failures + 1))
else
  echo "ok: an unwritable picture stops the flight -> 4"
fi

# The usage line names the command that was typed.
QZT_DEMO_COMMAND=scripts/demo "$demo" --help | head -1 | grep -q '^usage: scripts/demo ' \
  || { echo "FAIL: the usage line does not name scripts/demo"; failures=$((failures + 1)); }

rm -rf "$work"
[ "$failures" -eq 0 ]
