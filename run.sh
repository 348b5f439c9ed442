#!/usr/bin/env bash
# Installs what is missing, builds the program when it is out of date, runs it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

qm_install "${QM_PACKAGES[@]}"
qm_build "$QM_ROOT/build/release" quellmark -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF
exec "$QM_ROOT/build/release/app/quellmark" "$@"
