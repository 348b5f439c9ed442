#!/usr/bin/env bash
# Runs one fuzz target for longer than the test suite does:
#   scripts/fuzz_long.sh TARGET [SECONDS [LIBFUZZER-OPTION...]]
# TARGET is decrypt_fuzz (the one target); SECONDS defaults
# to 600. Uses test.sh's fuzz build (build/test-fuzz), built when it is out
# of date. New inputs collect in build/test-fuzz/fuzz/work/TARGET/corpus,
# kept between runs and read by the suite's bounded runs too; a crash
# leaves its reproducer in build/test-fuzz/fuzz/work/TARGET/artifacts, to
# be run again with  build/test-fuzz/fuzz/TARGET <reproducer>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

if [ $# -lt 1 ]; then
  sed -n '2,9p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
target="$1"
seconds="${2:-600}"
shift $(($# < 2 ? $# : 2))
case "$target" in
  decrypt_fuzz) ;;
  *) echo "unknown fuzz target '$target'" >&2; exit 2 ;;
esac

qm_install "${QM_PACKAGES[@]}" clang libclang-rt-14-dev
dir="$QM_ROOT/build/test-fuzz"
qm_build "$dir" "$target" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQM_FUZZ=ON -DQM_BUILD_TESTS=OFF

work="$dir/fuzz/work/$target"
mkdir -p "$work/corpus" "$work/artifacts"
# Half the machine, at least one worker.
workers=$(( $(nproc) / 2 > 0 ? $(nproc) / 2 : 1 ))
cd "$work"
exec "$dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -jobs="$workers" -workers="$workers" -artifact_prefix="$work/artifacts/" "$@" \
  "$work/corpus" "$QM_ROOT/fuzz/corpus/$target"
