#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own build folder and runs each in turn.
#   tests/fuzz/run.sh [--seconds N] [--build DIR] [--merge] [target ...]
# Each target starts from its committed corpus (tests/fuzz/corpus/NAME); what it finds
# goes to DIR/corpus/NAME, crashes to DIR/artifacts. --merge adds the new inputs that
# reach new code to the committed corpus (kept small by libFuzzer's merge).
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=60
build=build-fuzz
merge=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --merge) merge=1; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done

cxx=""
for c in clang++-14 clang++; do
  if command -v "$c" >/dev/null 2>&1; then cxx="$c"; break; fi
done
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ is not installed (tools/install-deps.sh installs it); fuzz targets skipped" >&2
  exit 0
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" -DKAVELO_FUZZ=ON >/dev/null
fi
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target fuzz_targets

if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/fuzz_*; do targets+=("$(basename "$exe" | sed 's/^fuzz_//')"); done
fi

mkdir -p "$build/artifacts" "$build/logs"
summary=()
failed=0
for name in "${targets[@]}"; do
  exe="$build/fuzz/fuzz_$name"
  seeds="tests/fuzz/corpus/$name"
  work="$build/corpus/$name"
  mkdir -p "$work" "$seeds"
  log="$build/logs/$name.log"
  echo "fuzz: $name for ${seconds}s"
  if "$exe" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$name-" "$work" "$seeds" >"$log" 2>&1; then
    status=ok
  else
    status=FAILED
    failed=1
    tail -n 40 "$log" >&2
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  summary+=("$(printf '%-22s %12s runs  %s' "$name" "${runs:-?}" "$status")")
  if [ "$merge" = 1 ] && [ "$status" = ok ]; then
    "$exe" -merge=1 "$seeds" "$work" >"$build/logs/$name.merge.log" 2>&1
  fi
done

echo "fuzz summary (${seconds}s per target):"
printf '  %s\n' "${summary[@]}"
exit "$failed"
