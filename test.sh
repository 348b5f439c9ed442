#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: a plain build, one
# under AddressSanitizer with UndefinedBehaviorSanitizer, one under
# ThreadSanitizer (these two leave out the tests labelled "large"), and a
# clang build of the fuzz target, run for a bounded time. QM_TEST_BUILDS
# picks a subset, e.g. QM_TEST_BUILDS=plain.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

qm_install "${QM_PACKAGES[@]}" libgtest-dev locales time openssl util-linux \
  clang libclang-rt-14-dev

# Locales the tests switch to; generated only when missing.
for loc in en_US de_DE tr_TR en_AU de_CH; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    qm_sudo localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
  fi
done

builds="${QM_TEST_BUILDS:-plain asan tsan fuzz}"
jobs="$(nproc)"
status=0
for b in $builds; do
  case "$b" in
    plain) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    asan)  args=(-DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=address) ;;
    tsan)  args=(-DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=thread) ;;
    fuzz)  args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DQM_FUZZ=ON
                 -DQM_BUILD_TESTS=OFF) ;;
    *) echo "unknown build '$b'" >&2; exit 2 ;;
  esac
  # Tests labelled "large" (jobs past 4 GiB) run in the plain build only:
  # under a sanitizer they take several times as long.
  skip=()
  case "$b" in asan|tsan) skip=(-LE large) ;; esac
  dir="$QM_ROOT/build/test-$b"
  echo "== $b build"
  qm_build "$dir" all "${args[@]}"
  echo "== $b tests"
  if ! (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 600 "${skip[@]}"); then
    status=1
  fi
done
exit $status
