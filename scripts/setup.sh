# Shared by run.sh and test.sh: install what is missing, configure and build.
# Sourced, not run. Quiet when there is nothing to do.

QM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QM_PACKAGES=(cmake ninja-build g++ pkg-config libcrypto++-dev)

qm_sudo() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# qm_install PKG...: installs the packages that are not installed yet;
# apt-get update runs only when something must be installed.
qm_install() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  qm_sudo apt-get update -qq >&2
  DEBIAN_FRONTEND=noninteractive qm_sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >&2
}

# qm_build DIR TARGET [CMAKE_ARGS...]: configures DIR once, then brings
# TARGET up to date. Build output is shown only when the build fails.
qm_build() {
  local dir="$1" target="$2"
  shift 2
  local log="$dir.log"
  mkdir -p "$dir"
  if [ ! -f "$dir/build.ninja" ]; then
    if ! cmake -S "$QM_ROOT" -B "$dir" -G Ninja "$@" >"$log" 2>&1; then
      cat "$log" >&2
      return 1
    fi
  fi
  if ! cmake --build "$dir" --target "$target" >"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
}
