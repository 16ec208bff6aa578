#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them for a while.
#   tests/fuzz/run.sh [SECONDS] [TARGET...]
# SECONDS (default 120) is the time in all, shared equally by the targets
# (every target by default), so that adding one keeps the run as long.
# Seeds: the BMP corpus, the built-in pictures and the sample skins for the
# picture reader; the files in seeds/ini for the profile reader; small zips
# made by tests/fixtures/make_zips.py for the skin archive reader; the
# files in seeds/request for a later start's request line. New
# inputs are kept in build-fuzz/corpus/<target>, so later runs start from
# them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
total=${1:-120}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(picture_fuzzer skin_ini_fuzzer skin_archive_fuzzer instance_request_fuzzer)
seconds=$((total / ${#targets[@]}))
[ "$seconds" -ge 1 ] || seconds=1

# The BMP suite from outside the project: in the shared folder beside this
# checkout, or beside the one it was cloned from.
bmp_suites=("$root/../shared/corpus/bmpsuite")
origin=$(git -C "$root" config --get remote.origin.url 2>/dev/null || true)
[ -n "$origin" ] && [ -d "$origin" ] && bmp_suites+=("$origin/../shared/corpus/bmpsuite")

build="$root/build-fuzz"
CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" >/dev/null

for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  case "$target" in
    picture_fuzzer)
      seeds=("$root/resources" "$root/skins"/*/)
      for suite in "${bmp_suites[@]}"; do seeds+=("$suite"/*/); done
      options=(-max_len=65536) ;;
    skin_ini_fuzzer)
      seeds=("$here/seeds/ini")
      options=(-max_len=4096 -dict="$here/seeds/ini.dict") ;;
    skin_archive_fuzzer)
      /usr/bin/python3 "$root/tests/fixtures/make_zips.py" --seeds "$build/seeds/zip"
      seeds=("$build/seeds/zip")
      options=(-max_len=65536 -dict="$here/seeds/zip.dict") ;;
    instance_request_fuzzer)
      seeds=("$here/seeds/request")
      options=(-max_len=2048 -dict="$here/seeds/request.dict") ;;
    *) echo "unknown fuzz target $target" >&2; exit 2 ;;
  esac
  existing=()
  for s in "${seeds[@]}"; do [ -d "$s" ] && existing+=("$s"); done
  echo "fuzzing $target for ${seconds}s"
  # -malloc_limit_mb: one allocation above it counts as a failure, so the
  # bound on what a hostile file can make the reader allocate is checked.
  ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 \
    QT_QPA_PLATFORM=offscreen \
    "$build/$target" "${options[@]}" -max_total_time="$seconds" -timeout=10 \
    -malloc_limit_mb=16 -rss_limit_mb=1024 -keep_seed=1 -print_final_stats=1 \
    "$corpus" "${existing[@]}" 2>"$build/$target.log" ||
    { tail -n 60 "$build/$target.log" >&2; echo "FAIL: $target" >&2; exit 1; }
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)|cov:' \
    "$build/$target.log" | tail -n 4
done
