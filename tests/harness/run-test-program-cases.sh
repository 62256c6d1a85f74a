#!/usr/bin/env bash
# scripts/wine/run-test-program against a stand-in for wine: one line per case, saying what differed.
#   tests/harness/run-test-program-cases.sh PATH/TO/run-test-program
set -uo pipefail
runner=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/run"
# The stand-in answers its Nth call with line N of its script: "EXIT-CODE [LINE-ON-STANDARD-OUTPUT]";
# "sleep" instead writes its process id and waits.
cat >"$work/bin/wine" <<'STANDIN'
#!/usr/bin/env bash
n=$(($(cat "$STANDIN/calls" 2>/dev/null || echo 0) + 1))
echo "$n" >"$STANDIN/calls"
read -r code line < <(sed -n "${n}p" "$STANDIN/script")
echo "wine said $n" >&2
if [ "$code" = sleep ]; then echo $$ >"$STANDIN/pid"; exec sleep 30; fi
[ -n "${line:-}" ] && echo "$line"
exit "$code"
STANDIN
chmod +x "$work/bin/wine"
export STANDIN=$work KORVANE_WINE_DIR=$work PATH="$work/bin:$PATH"

failed=0
# check NAME SCRIPT EXIT-CODE CALLS NOTES OUTPUT
check() {
  local name=$1 script=$2 want_rc=$3 want_calls=$4 want_notes=$5 want_out=$6 out rc calls notes why=""
  rm -f "$work/calls" "$work/run/lost-starts.log"
  printf '%b' "$script" >"$work/script"
  out=$("$runner" prog.exe --gtest_filter=A.b 2>/dev/null)
  rc=$?
  calls=$(cat "$work/calls")
  notes=$( (wc -l <"$work/run/lost-starts.log") 2>/dev/null || echo 0)
  [ "$rc" = "$want_rc" ] || why+=" exit code $rc, expected $want_rc;"
  [ "$calls" = "$want_calls" ] || why+=" wine ran $calls times, expected $want_calls;"
  [ "$notes" = "$want_notes" ] || why+=" $notes notes, expected $want_notes;"
  [ "$out" = "$want_out" ] || why+=" printed \"$out\", expected \"$want_out\";"
  if [ -n "$why" ]; then echo "FAIL $name:$why"; failed=$((failed + 1)); else echo "ok   $name"; fi
}
check "passes at once"                         '0 ok\n'        0 1 0 ok
check "a failure that printed runs once"       '1 FAILED\n'    1 1 0 FAILED
check "a lost start runs once more"            '1\n0 ok\n'     0 2 1 ok
check "a second lost start is the failure"     '1\n1\n0 ok\n'  1 2 1 ""
check "a lost start, then the real failure"    '1\n4 FAILED\n' 4 2 1 FAILED

# wine must not outlive the runner, which is what CTest ends when a test runs out of time.
rm -f "$work/calls" "$work/pid"
echo sleep >"$work/script"
"$runner" prog.exe 2>/dev/null &
runner_pid=$!
for _ in $(seq 1 50); do [ -s "$work/pid" ] && break; sleep 0.1; done
kill -KILL "$runner_pid"
wait "$runner_pid" 2>/dev/null
sleep 0.5
# Ended means gone or a zombie: the orphan is reaped by whatever adopts it, which need not be quick.
state=$([ -s "$work/pid" ] && awk '{ print $3 }' "/proc/$(cat "$work/pid")/stat" 2>/dev/null)
if [ -s "$work/pid" ] && { [ -z "$state" ] || [ "$state" = Z ]; }; then
  echo "ok   wine ends with the runner"
else
  echo "FAIL wine ends with the runner: still running or never started"
  [ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null
  failed=$((failed + 1))
fi
[ "$failed" -eq 0 ]
