#!/usr/bin/env bash
# Runs the fuzzers of a fuzz build one after the other, each for a set time:
#   fuzz/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
# Each fuzzer starts from the corpus it built in earlier runs (BUILD_DIR/fuzz/corpus/TARGET),
# the minimised corpus kept in the project (fuzz/corpus/TARGET), seeds taken from the project's
# test data, and the inputs that once failed (tests/data/regressions/TARGET). What it finds goes to BUILD_DIR/fuzz/findings/TARGET/; a run
# over one second counts as a hang. The executions of every run are added up per target in
# BUILD_DIR/fuzz/executions/TARGET.
# A fuzzer stops at its first finding; with FUZZ_KEEP_GOING=1 it runs in a child process that
# is restarted after each finding instead, for long runs that collect everything.
# With FUZZ_MERGE=1 each fuzzer then minimises its build corpus and the project's into
# fuzz/corpus/TARGET (libFuzzer's -merge=1: the fewest inputs that keep all coverage); SECONDS
# may be 0 to only do that.
set -uo pipefail

build=${1:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}
seconds=${2:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}
shift 2
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ics recurrence urlcommand smartadd preferences vcard geocoder
  tilecache peerconfig parsecache syncoutput accounts syncedprefs)

# A kept corpus larger than this stays out of the project: the build corpus keeps it.
max_kept_files=200
max_kept_kb=1024

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)
work="$build/fuzz"

# One seed file per item, named after its content so that a rerun does not add duplicates.
add_seed() { # folder text
  local name
  name=$(printf '%s' "$2" | md5sum | cut -c1-16)
  printf '%s' "$2" >"$1/$name"
}

make_seeds() { # target folder
  local target=$1 folder=$2 tests="$source_dir/tests"
  case "$target" in
    ics)
      find "$tests/data/corpus" -name '*.ics' -size -64k -exec cp -t "$folder" {} +
      ;;
    recurrence)
      # Each rule of the libical rule table, with its DTSTART, is a series of its own.
      awk -v dir="$folder" 'BEGIN { n = 0 } /^$/ { n++; next } { print > (dir "/rule-" n) }' \
        "$tests/data/corpus/libical/icalrecur_test.txt"
      ;;
    urlcommand)
      grep -rhoE 'velmoran://[^" ]*' "$tests" | sort -u | while IFS= read -r url; do
        add_seed "$folder" "$url"
      done
      ;;
    smartadd)
      # The lines of the Smart Add test tables: every string literal of those suites.
      grep -hoE '"([^"\\]|\\.)+"' "$tests"/entry/tst_smartadd*.cpp "$tests"/entry/tst_duestring.cpp |
        sed -e 's/^"//' -e 's/"$//' | sort -u | while IFS= read -r line; do
          add_seed "$folder" "$line"
        done
      ;;
    geocoder)
      find "$tests/data/geocoder" -name '*.json' -size -64k -exec cp -t "$folder" {} +
      ;;
    syncoutput)
      find "$tests/data/vdirsyncer" -name '*.txt' -size -64k -exec cp -t "$folder" {} +
      ;;
    tilecache)
      # Each small picture of the tests as the tile at zoom 2, column 1, row 1.
      find "$tests" -name '*.png' -size -16k | head -n 20 | while IFS= read -r picture; do
        { printf '\003\001\001\000'; cat "$picture"; } >"$folder/$(basename "$picture")"
      done
      ;;
  esac
  if [ -d "$source_dir/fuzz/seeds/$target" ]; then
    cp -t "$folder" "$source_dir/fuzz/seeds/$target"/* 2>/dev/null || true
  fi
}

mode=()
[ -n "${FUZZ_KEEP_GOING:-}" ] &&
  mode=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)

failed=()
summary=()
for target in "${targets[@]}"; do
  binary="$work/fuzz_$target"
  if [ ! -x "$binary" ]; then
    echo "No fuzzer $binary: build the fuzz build first (make fuzz)" >&2
    exit 2
  fi
  corpus="$work/corpus/$target"
  seeds="$work/seeds/$target"
  findings="$work/findings/$target"
  regressions="$source_dir/tests/data/regressions/$target"
  kept="$source_dir/fuzz/corpus/$target"
  mkdir -p "$corpus" "$findings" "$work/logs" "$work/executions" "$regressions"
  rm -rf "$seeds"
  mkdir -p "$seeds"
  make_seeds "$target" "$seeds"
  dictionary=()
  [ -f "$source_dir/fuzz/dictionaries/$target.dict" ] &&
    dictionary=(-dict="$source_dir/fuzz/dictionaries/$target.dict")

  starting=()
  [ -d "$kept" ] && starting=("$kept")

  log="$work/logs/$target.log"
  found_before=$(find "$findings" -type f | wc -l)
  status=0
  if [ "$seconds" -gt 0 ]; then
    echo "== fuzz_$target for $seconds s"
    "$binary" "$corpus" "${starting[@]}" "$seeds" "$regressions" "${dictionary[@]}" "${mode[@]}" \
      -max_total_time="$seconds" -timeout=1 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$findings/" >"$log" 2>&1
    status=$?
  else
    : >"$log"
  fi
  if [ -n "${FUZZ_MERGE:-}" ]; then
    merged="$work/merged/$target"
    rm -rf "$merged"
    mkdir -p "$merged"
    "$binary" -merge=1 -timeout=1 -rss_limit_mb=4096 "$merged" "${starting[@]}" "$corpus" \
      >"$work/logs/$target-merge.log" 2>&1
    files=$(find "$merged" -type f | wc -l)
    kb=$(du -sk --apparent-size "$merged" | cut -f1)
    if [ "$files" -gt "$max_kept_files" ] || [ "$kb" -gt "$max_kept_kb" ]; then
      echo "fuzz_$target: the minimised corpus ($files files, $kb kB) is too large to keep in fuzz/corpus"
    else
      rm -rf "$kept"
      mkdir -p "$kept"
      cp -t "$kept" "$merged"/* 2>/dev/null || true
      echo "fuzz_$target: fuzz/corpus/$target now holds $files inputs ($kb kB)"
    fi
  fi
  if [ ${#mode[@]} -eq 0 ]; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  else
    # "#1234: cov: ... time: 34s job: 6": the parent's count over all its children.
    last=$(grep -E '^#[0-9]+: cov:' "$log" | tail -n 1)
    runs=$(printf '%s' "$last" | sed -n 's/^#\([0-9]*\):.*/\1/p')
    elapsed=$(printf '%s' "$last" | sed -n 's/.* time: \([0-9]*\)s.*/\1/p')
    speed=$(( ${runs:-0} / (${elapsed:-0} > 0 ? ${elapsed:-1} : 1) ))
  fi
  runs=${runs:-0}
  total=$(( $(cat "$work/executions/$target" 2>/dev/null || echo 0) + runs ))
  echo "$total" >"$work/executions/$target"
  found=$(( $(find "$findings" -type f | wc -l) - found_before ))
  summary+=("$(printf '%-12s %12s runs %8s/s %14s runs in all  %s new findings' \
    "$target" "$runs" "${speed:-?}" "$total" "$found")")
  if [ $status -ne 0 ] || [ "$found" -gt 0 ]; then
    failed+=("$target")
    echo "fuzz_$target found a problem (exit $status); its log is $log:"
    grep -E 'FINDING|ERROR: |SUMMARY: |Test unit written|timeout after' "$log" | head -n 20
  fi
done

echo
echo "== Fuzzing summary (corpora in $work/corpus)"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "Findings in: ${failed[*]}. Fix the cause, then copy the input from $work/findings/<target>/"
  echo "into tests/data/regressions/<target>/ so that make test replays it."
  exit 1
fi
