# shellcheck shell=bash disable=SC2154  # out, share and build are scripts/bench's
# Sourced by scripts/bench: where a drawing's time goes in korvane-stapel.exe, and EdgeSim's peak working
# set over a long run. Expects the wine environment started and these set: out (the bench's folder),
# share (the simulated file server's share "daten"), build, die().
#
# Per drawing the batch's trace (KORVANE_BATCH_TRACE, src/batch/BatchTrace.h) gives its wall time, its CAD
# calls with the time spent inside them, and its backup I/O; at the start and end of the run the time of
# 200 trivial calls each, and of 20 before each drawing, whence the round trip of one call. EdgeSim (EDGESIM_TIMES) gives the calls it
# served and the time inside them, and its peak working set, one line per instance.

# A folder of COUNT drawings of about MIB MiB each, in subfolders of 100: the drawing of the batch
# section above (background sheets of sizes 4 and 8) with its working sheet padded by item lines.
#   dt_make_drawings DIR COUNT MIB
dt_make_drawings() {
  local dir=$1 count=$2 mib=$3 pad=$out/padding-$3.txt i group
  rm -rf "$dir"
  mkdir -p "$dir"
  [ -f "$pad" ] || LC_ALL=C awk -v bytes=$((mib * 1048576)) 'BEGIN {
      filler = sprintf("%80s", ""); gsub(/ /, "x", filler)
      for (i = 1; i * 100 <= bytes; i++) printf "  item Füllung %06d %s\n", i, filler
    }' >"$pad"
  for i in $(seq -w 1 "$count"); do
    group="$dir/Gruppe $((10#$i / 100))"
    mkdir -p "$group"
    {
      printf 'type 2\npropertyset Custom\nsheet working 8 Blatt1\n  item Ansicht %s\n' "$i"
      cat "$pad"
      printf 'sheet background 4 Hintergrund A4\n  item Rahmen A4 alt\nsheet background 8 Hintergrund A3\n  item Rahmen A3 alt\n'
    } >"$group/Zeichnung $i.dft"
  done
}

# The summary of one traced run: per drawing (means) wall, calls, CAD ms, backup ms; round trip in ms.
#   dt_summary TRACE -> "drawings wall_ms calls cad_ms backup_ms roundtrip_ms"
dt_summary() {
  tr -d '\r' <"$1" | LC_ALL=C awk '
    $1 == "drawing" { n++; wall += $3; calls += $4; cad += $5; backup += $6 }
    $1 == "round-trip" { rc += $3; rus += $4 }
    END {
      if (!n || !rc) { print "0 0 0 0 0 0"; exit }
      printf "%d %.3f %.1f %.3f %.3f %.4f\n", n, wall / n / 1000, calls / n, cad / n / 1000, backup / n / 1000, rus / rc / 1000
    }'
}

# One batch run over COUNT drawings of MIB MiB against a running EdgeSim, with backups, then dt_evaluate.
#   dt_run LABEL COUNT MIB
dt_run() {
  local label=$1 count=$2 mib=$3 d=$out/zeit-$1 dir=$share/Zeit-$1 code
  rm -rf "$d" "$share/Zeit-$label-Sicherung"
  mkdir -p "$d"
  echo "drawing times: $count drawings of $mib MiB ..."
  dt_make_drawings "$dir" "$count" "$mib"
  printf 'version 12.00.00.55\nrunning yes\n' >"$d/scenario.edgesim"
  EDGESIM_TIMES=$(wine_path "$d/edgesim-times.txt") edgesim_start "$d/scenario.edgesim" "$d/state.txt" "" 20 \
    2>>"$out/harness.log" || die "EdgeSim did not start"
  (cd "$d" && KORVANE_BATCH_TRACE=$(wine_path "$d/trace.txt") wine_run $((600 + count * mib)) \
    "$build/src/batch/korvane-stapel.exe" "Y:\\Zeit-$label" /s "/bericht:$(wine_path "$d/bericht.csv")" \
    "/sicherung:Y:\\Zeit-$label-Sicherung" >"$d/output.txt" 2>>"$out/harness.log")
  code=$?
  edgesim_stop 60
  rm -rf "$dir" "$share/Zeit-$label-Sicherung"
  [ "$code" = 0 ] || die "korvane-stapel.exe ended with $code over the $mib MiB drawings ($d/output.txt)"
  dt_evaluate "$label" "$count" "$mib"
}

# The breakdown of a run from what it left in BUILD/bench/zeit-LABEL: sets dt_row_<label> to the table row,
# dt_rest_<label> and dt_own_<label> to the shares in percent of the rest and of the batch's own code, and
# dt_calls_<label> to "calls at the port per drawing|member calls per drawing".
#   dt_evaluate LABEL COUNT MIB
dt_evaluate() {
  local label=$1 count=$2 mib=$3 d=$out/zeit-$1
  local n wall calls cad backup rt served_us probes members
  read -r n wall calls cad backup rt < <(dt_summary "$d/trace.txt")
  [ "$n" = "$count" ] || die "the trace names $n drawings, not $count ($d/trace.txt)"
  served_us=$(tr -d '\r' <"$d/edgesim-times.txt" | awk '$1 == "served" { u += $3 } END { print u + 0 }')
  probes=$(tr -d '\r' <"$d/trace.txt" | awk '$1 == "round-trip" { c += $3 } END { print c + 0 }')
  members=$(tr -d '\r' <"$d/state.txt" | LC_ALL=C awk -v p="$probes" -v n="$n" '$1 == "calls" && NF == 2 { printf "%.1f", ($2 - p) / n; exit }')
  # EdgeSim's time is known for the whole run only: spread over the drawings (its calls outside them, the
  # start, the end and the probes' trivial calls, take it a few microseconds each).
  local row
  row=$(LC_ALL=C awk -v n="$n" -v wall="$wall" -v calls="$calls" -v cad="$cad" -v backup="$backup" -v rt="$rt" \
    -v es_us="$served_us" -v mib="$mib" 'BEGIN {
      es = es_us / n / 1000; ct = calls * rt; rest = wall - ct - es - backup
      incall = cad - ct - es; own = wall - cad - backup
      printf "%s MiB|%.0f|%.1f x %.3f = %.0f (%.1f %%)|%.0f (%.1f %%)|%.0f (%.1f %%)|%.0f (%.1f %%)|%.0f (%.1f %%)|%.0f (%.1f %%)|%.1f|%.1f\n",
        mib, wall, calls, rt, ct, 100 * ct / wall, es, 100 * es / wall, backup, 100 * backup / wall,
        rest, 100 * rest / wall, incall, 100 * incall / wall, own, 100 * own / wall, 100 * rest / wall, 100 * own / wall
    }')
  printf -v "dt_own_$label" '%s' "${row##*|}"
  row=${row%|*}
  printf -v "dt_rest_$label" '%s' "${row##*|}"
  printf -v "dt_row_$label" '%s' "${row%|*}"
  printf -v "dt_calls_$label" '%s|%s' "$calls" "$members"
  echo "  ${row%|*}"
}

# EdgeSim's peak working set over COUNT drawings of 2 MiB, the batch starting EdgeSim itself (through COM)
# with OPTION ("" for the default); sets dt_peak_<label> to "peak KiB|instances|drawings per minute".
#   dt_memory LABEL COUNT [OPTION]
dt_memory() {
  local label=$1 count=$2 option=${3:-} d=$out/speicher-$1 dir=$share/Speicher-$1 code start
  rm -rf "$d" "$share/Speicher-$label-Sicherung"
  mkdir -p "$d"
  echo "peak working set: $count drawings${option:+ with $option} ..."
  dt_make_drawings "$dir" "$count" 2
  printf 'version 12.00.00.55\nrunning no\n' >"$d/scenario.edgesim"
  start=$SECONDS
  (cd "$d" && EDGESIM_SCENARIO=$(wine_path "$d/scenario.edgesim") EDGESIM_STATE=$(wine_path "$d/state.txt") \
    EDGESIM_TIMES=$(wine_path "$d/edgesim-times.txt") wine_run $((900 + count * 4)) \
    "$build/src/batch/korvane-stapel.exe" "Y:\\Speicher-$label" /s "/bericht:$(wine_path "$d/bericht.csv")" \
    "/sicherung:Y:\\Speicher-$label-Sicherung" ${option:+"$option"} >"$d/output.txt" 2>>"$out/harness.log")
  code=$?
  local took=$((SECONDS - start))
  # The batch ends the instance it started; a last one still there is asked to end (it writes its line).
  wine_run 40 "$KORVANE_SIMCONTROL_EXE" wait-gone 30000 >/dev/null 2>&1 ||
    wine_run 40 "$KORVANE_SIMCONTROL_EXE" stop 30000 >/dev/null 2>&1
  rm -rf "$dir" "$share/Speicher-$label-Sicherung"
  [ "$code" = 0 ] || die "korvane-stapel.exe ended with $code over $count drawings${option:+ with $option} ($d/output.txt)"
  echo "$took" >"$d/seconds.txt"
  dt_memory_evaluate "$label" "$count"
}

# The peak of a memory run from what it left in BUILD/bench/speicher-LABEL.
#   dt_memory_evaluate LABEL COUNT
dt_memory_evaluate() {
  local label=$1 count=$2 d=$out/speicher-$1 peak instances
  read -r peak instances < <(tr -d '\r' <"$d/edgesim-times.txt" |
    awk '$1 == "served" { n++; if ($5 > p) p = $5 } END { print p + 0, n + 0 }')
  [ "$instances" -gt 0 ] || die "no EdgeSim instance reported its working set ($d/edgesim-times.txt)"
  printf -v "dt_peak_$label" '%s|%s|%s' "$peak" "$instances" \
    "$(LC_ALL=C awk -v n="$count" -v s="$(cat "$d/seconds.txt")" 'BEGIN { printf "%.0f", n * 60 / (s > 0 ? s : 1) }')"
  echo "  peak $peak KiB over $instances instance(s)"
}

# Runs the whole measurement and writes its section of docs/performance.md and of README.md between
# their markers "<!-- drawing-times:begin -->" and "<!-- drawing-times:end -->" (added when missing).
#   dt_measure_and_write DRAWINGS MEMORY_DRAWINGS REPORT README
dt_measure_and_write() {
  local count=$1 memory_count=$2 report=$3 readme=$4
  cut -d' ' -f1 /proc/loadavg >"$out/drawing-times-load.txt"
  dt_run 2 "$count" 2
  dt_run 20 "$count" 20
  dt_memory_runs "$memory_count"
  cut -d' ' -f1 /proc/loadavg >>"$out/drawing-times-load.txt"
  rm -f "$out"/padding-*.txt
  dt_write "$count" "$memory_count" "$dt_restart" "$report" "$readme"
}

# The same sections with the drawing times of the traces an earlier run kept in $out, the peak working
# set measured anew.
#   dt_memory_and_write DRAWINGS MEMORY_DRAWINGS REPORT README
dt_memory_and_write() {
  local count=$1 memory_count=$2 report=$3 readme=$4
  dt_evaluate 2 "$count" 2
  dt_evaluate 20 "$count" 20
  dt_memory_runs "$memory_count"
  rm -f "$out"/padding-*.txt
  dt_write "$count" "$memory_count" "$dt_restart" "$report" "$readme"
}

# The peak working set without restarts and, where the batch has /neustart, with its default; sets
# dt_restart (yes|no).
#   dt_memory_runs MEMORY_DRAWINGS
dt_memory_runs() {
  local memory_count=$1 restart=no
  tr -d '\r' < <(wine_run 60 "$build/src/batch/korvane-stapel.exe" /? 2>/dev/null) | grep -q '/neustart' && restart=yes
  if [ $restart = yes ]; then
    dt_memory ohne "$memory_count" /neustart:0
    dt_memory mit "$memory_count"
  else
    dt_memory ohne "$memory_count"
  fi
  dt_restart=$restart
}

# Writes the sections from the dt_* figures of dt_evaluate and dt_memory_evaluate.
#   dt_write DRAWINGS MEMORY_DRAWINGS RESTART(yes|no) REPORT README
dt_write() {
  local count=$1 memory_count=$2 restart=$3 report=$4 readme=$5 load calls2 members2 calls20 members20
  load=$(paste -sd' ' "$out/drawing-times-load.txt" | awk '{ print $1 " at the start and " $2 " at the end" }')
  IFS='|' read -r calls2 members2 <<<"$dt_calls_2"
  IFS='|' read -r calls20 members20 <<<"$dt_calls_20"
  IFS='|' read -r peak_without inst_without rate_without <<<"$dt_peak_ohne"
  local memory_rows
  memory_rows="| without restarting it ($( [ "$restart" = yes ] && echo "\`/neustart:0\`" || echo "this build has no \`/neustart\` and never restarts EdgeSim" )) | $peak_without KiB | $inst_without | $rate_without |"
  if [ "$restart" = yes ]; then
    IFS='|' read -r peak_with inst_with rate_with <<<"$dt_peak_mit"
    memory_rows+=$'\n'"| with the default restart | $peak_with KiB | $inst_with | $rate_with |"
  fi
  local verdict2 verdict20
  verdict2=$(awk -v r="$dt_rest_2" 'BEGIN { print (r <= 10) ? "met" : "missed" }')
  verdict20=$(awk -v r="$dt_rest_20" 'BEGIN { print (r <= 10) ? "met" : "missed" }')
  local section=$out/drawing-times.md readme_block=$out/drawing-times-readme.md
  cat >"$section" <<SECTION
## Where a drawing's time goes (korvane-stapel.exe)

Measured on $(date -u +%Y-%m-%d), load average $load (2 cores, shared with other work: every
wall time is stretched): one batch run each over $count drawings of 2 MiB and of 20 MiB (the drawing of the
section above, two background sheets, its working sheet padded with item lines to the size), against a
running EdgeSim, with backups on the simulated file server. Means per drawing in ms, and their share of the
drawing's wall time:

| Drawing | Wall time | CAD calls x round trip | EdgeSim inside the calls | Backup I/O | Rest | of it inside the calls | of it the batch's own code |
|---|---|---|---|---|---|---|---|
| ${dt_row_2//|/ | } |
| ${dt_row_20//|/ | } |

Goal, the rest at most 10 % of a drawing's time: $verdict2 for 2 MiB ($dt_rest_2 %), $verdict20 for 20 MiB
($dt_rest_20 %). The batch's own code takes $dt_own_2 % and $dt_own_20 %; what is left of the rest lies
inside the CAD calls.

- **Wall time**: from the batch taking up the drawing to its report row written.
- **CAD calls x round trip**: the calls the batch made into the CAD application for the drawing, counted at the
  automation port, times the round trip of one trivial call (the application's version) timed in the same run:
  200 calls at the start, 20 before each drawing, 200 at the end (the machine's load changes during a run,
  and the round trip with it). The port counts every crossing: $calls2 per drawing ($calls20 for 20 MiB), of
  which about $members2 are member calls the CAD application logs ($members20); the others are the release of
  each remote object the drawing used, the type identity of an object whose members are looked up by name (the
  name cache is kept per type), and the enumeration of sheets.
- **EdgeSim inside the calls**: the time the simulated application spent from the entry of a served call to its
  return (reading and parsing the drawing at its opening, writing it at its saving, the exchange, ending an
  object at its release), its total over the run divided by the drawings.
- **Backup I/O**: the copy of the drawing into the backup folder, the reading back of both for the comparison,
  the rename; a put-back when a drawing fails.
- **Rest**: the wall time less the three, in two parts. *Inside the calls*: the time the batch waited in its
  calls beyond a trivial round trip each and EdgeSim's own work; no code of the batch runs then. It is the
  cross-process transport of calls that are not trivial (a call that hands out an object marshals its
  interface, which a trivial call does not; a busy machine makes each step wait for its turn); that split is
  not measured apart. *The batch's own code*: everything outside the calls and the backup (checks of the
  drawing's file, the report row, the progress line).

EdgeSim's peak working set (its own GetProcessMemoryInfo at its end, the highest of all instances) over
$memory_count drawings of 2 MiB, the batch starting EdgeSim itself:

| Run | Peak working set | EdgeSim instances | Drawings per minute |
|---|---|---|---|
$memory_rows

The traces are kept in \`BUILD/bench/zeit-*/\` and \`BUILD/bench/speicher-*/\`; \`scripts/bench --drawing-times-only\`
measures this section alone and writes only it.
SECTION
  cat >"$readme_block" <<BLOCK
Where a drawing's time goes in korvane-stapel.exe ($count drawings each; details in
[docs/performance.md](docs/performance.md)): the rest beside the CAD calls, EdgeSim's own time and the backup
I/O is $dt_rest_2 % of a 2 MiB drawing's time and $dt_rest_20 % of a 20 MiB one's (goal: at most 10 %); the batch's own
code outside the calls takes $dt_own_2 % and $dt_own_20 %. EdgeSim's peak working set over $memory_count drawings:
$peak_without KiB without restarts$( [ "$restart" = yes ] && echo ", $peak_with KiB with the default restart").
BLOCK
  dt_fill "$report" "$section"
  dt_fill "$readme" "$readme_block"
  echo "drawing times: rest $dt_rest_2 % (2 MiB), $dt_rest_20 % (20 MiB), own code $dt_own_2 % and $dt_own_20 %;" \
    "EdgeSim peak $peak_without KiB without restarts$( [ "$restart" = yes ] && echo ", $peak_with KiB with")"
}

# Puts CONTENT between the drawing-times markers of FILE; without markers they go at the end of the
# performance section (README) or before "## Reproduce" (the report).
#   dt_fill FILE CONTENT
dt_fill() {
  local file=$1 content=$2 tmp
  tmp=$(mktemp)
  if ! grep -q '<!-- drawing-times:begin -->' "$file"; then
    awk '
      !done && (/^## Reproduce/ || /<!-- performance:end -->/) {
        if (/<!-- performance:end -->/) { print; print ""; print "<!-- drawing-times:begin -->"; print "<!-- drawing-times:end -->"; done = 1; next }
        print "<!-- drawing-times:begin -->"; print "<!-- drawing-times:end -->"; print ""; done = 1
      }
      { print }' "$file" >"$tmp" && cp "$tmp" "$file"
  fi
  awk -v contentfile="$content" '
    /<!-- drawing-times:begin -->/ { print; while ((getline line < contentfile) > 0) print line; skip = 1; next }
    /<!-- drawing-times:end -->/ { skip = 0 }
    !skip' "$file" >"$tmp" && cp "$tmp" "$file"
  rm -f "$tmp"
}
