#!/usr/bin/env bash
# Whole-program speed and memory against openssl and a plain copy.
#
#   bench/compare.sh [--rounds N] [--sparse] [--dir DIR] [SIZE]
#
# SIZE is a byte count with an optional K/M/G/T suffix (powers of 1024) and
# '+' terms, e.g. 64M or 4G+4097; 1G when left out. The input is random
# bytes, or under --sparse a file of holes that reads as zeros. Each round
# runs every case once, quellmark and openssl taking turns at going first;
# the table shows medians (default 5 rounds). The outputs of the first
# round are checked: quellmark's files decrypt back to the input (sha256),
# and openssl decrypts them too, which shows that both do the same work.
#
# Both programs use the all-zero key, which quellmark derives from the
# empty password, and the all-zero IV. OpenSSL 3 offers Blowfish only
# through its legacy provider and with a 16-byte key; the cost per byte is
# the same for every key length, and all-zero keys of 16 and 56 bytes even
# give the same cipher.
set -Eeuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

rounds=5
sparse=0
parent="${TMPDIR:-/tmp}"
size_arg=1G
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds="$2"; shift 2 ;;
    --sparse) sparse=1; shift ;;
    --dir) parent="$2"; shift 2 ;;
    -h|--help) sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    -*) echo "unknown option '$1'" >&2; exit 2 ;;
    *) size_arg="$1"; shift ;;
  esac
done

size=0
IFS=+ read -ra terms <<<"$size_arg"
for term in "${terms[@]}"; do
  size=$((size + $(numfmt --from=iec "${term%iB}")))
done
if [ "$rounds" -lt 1 ] || [ "$size" -lt 1 ]; then
  echo "SIZE and the number of rounds must be at least 1" >&2
  exit 2
fi

qm_install "${QM_PACKAGES[@]}" openssl time
echo "Building quellmark (Release) ..." >&2
qm_build "$QM_ROOT/build/release" quellmark -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF
quellmark="$QM_ROOT/build/release/app/quellmark"

# quellmark resolves relative paths against its own folder: every path
# handed to it is absolute.
mkdir -p "$parent"
work="$(mktemp -d "$(realpath "$parent")/qm-compare.XXXXXX")"
trap 'rm -rf "$work"' EXIT
trap 'echo "compare.sh: failed at line $LINENO" >&2' ERR
# At most the input, two encrypted files and one decrypted file at a time.
need=$(( (sparse ? 3 : 4) * size + (64 << 20) ))
avail=$(df --output=avail -B1 "$work" | tail -1)
if [ "$avail" -lt "$need" ]; then
  echo "$work has $((avail >> 20)) MiB free, $((need >> 20)) MiB needed" >&2
  exit 1
fi

input="$work/input"
echo "Making the $size-byte input ..." >&2
if [ "$sparse" -eq 1 ]; then
  truncate -s "$size" "$input"
else
  head -c "$size" /dev/urandom >"$input"
fi

zeros() { printf "%0$1d" 0; }
aes=(-aes-256-cbc -nosalt -K "$(zeros 64)" -iv "$(zeros 32)")
bf=(-bf-cbc -provider legacy -provider default -nosalt -K "$(zeros 32)" -iv "$(zeros 16)")

# timed NAME OUTPUT COMMAND...: removes OUTPUT, lets the disk settle, runs
# the command once under /usr/bin/time and adds its elapsed microseconds
# to secs[NAME] and its peak resident KiB to rss[NAME].
declare -A secs rss
timed() {
  local name="$1" out="$2"
  shift 2
  rm -f "$out"
  sync
  local start end
  start=$(date +%s%N)
  if ! /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null; then
    echo "'$name' failed" >&2
    cat "$work/time.txt" >&2
    exit 1
  fi
  end=$(date +%s%N)
  secs[$name]+="$(( (end - start) / 1000 )) "
  rss[$name]+="$(awk -F': ' '/Maximum resident/ {print $2}' "$work/time.txt") "
}

# The quellmark one of two cases goes first in odd rounds.
pair() {
  if [ $((round % 2)) -eq 1 ]; then "$1"; "$2"; else "$2"; "$1"; fi
}

sha() { sha256sum | cut -d' ' -f1; }
input_sha=""
checked=""
# check LABEL DECRYPTED ENCRYPTED OPENSSL_OPTIONS...: quellmark's output
# decrypted back to the input, and openssl, which knows nothing of the
# header, decrypts quellmark's file to the header, the input and the fill.
check() {
  local label="$1" decrypted="$2" encrypted="$3"
  shift 3
  [ -n "$input_sha" ] || input_sha="$(sha <"$input")"
  local ours theirs
  ours="$(sha <"$decrypted")"
  # head stops reading before the fill: the pipe's status is not the check.
  theirs="$( (openssl enc -d -nopad "$@" -in "$encrypted" | tail -c +57 | head -c "$size" |
    sha) || true)"
  if [ "$ours" != "$input_sha" ] || [ "$theirs" != "$input_sha" ]; then
    echo "$label: round trip FAILED (input $input_sha, quellmark $ours, openssl $theirs)" >&2
    exit 1
  fi
  checked+="$label: sha256 of the input = of quellmark's decryption = of openssl's"
  checked+=" decryption of quellmark's file ($input_sha)"$'\n'
}

# cipher_round LABEL OPENSSL_OPTIONS...: LABEL is quellmark's algorithm.
cipher_round() {
  local label="$1"
  shift
  local ossl=("$@")
  local q_enc="$work/q.enc" o_enc="$work/o.enc" q_dec="$work/q.dec" o_dec="$work/o.dec"
  local q=("$quellmark" /alg "$label" /password "")
  local enc="$label encrypt" dec="$label decrypt"
  q_e() { timed "$enc/quellmark" "$q_enc" "${q[@]}" /encrypt /ifile "$input" /ofile "$q_enc"; }
  o_e() { timed "$enc/openssl" "$o_enc" openssl enc -e "${ossl[@]}" -in "$input" -out "$o_enc"; }
  q_d() { timed "$dec/quellmark" "$q_dec" "${q[@]}" /decrypt /ifile "$q_enc" /ofile "$q_dec"; }
  o_d() {
    timed "$dec/openssl" "$o_dec" openssl enc -d "${ossl[@]}" -in "$o_enc" -out "$o_dec"
    rm -f "$o_dec"
  }
  pair q_e o_e
  pair q_d o_d
  if [ "$round" -eq 1 ]; then check "$label" "$q_dec" "$q_enc" "${ossl[@]}"; fi
  rm -f "$q_enc" "$o_enc" "$q_dec"
}

copy_round() {
  # Without --sparse=never cp would skip the holes of a sparse input.
  timed "copy/cp" "$work/copy" cp --sparse=never "$input" "$work/copy"
  timed "copy/dd bs=32k" "$work/copy" dd if="$input" of="$work/copy" bs=32k status=none
  rm -f "$work/copy"
}

for round in $(seq 1 "$rounds"); do
  echo "Round $round of $rounds ..." >&2
  cipher_round AES-256 "${aes[@]}"
  cipher_round Blowfish-448 "${bf[@]}"
  copy_round
done

values() { tr ' ' '\n' | sed '/^$/d' | sort -n; }
median() { values | awk '{v[NR] = $1} END {
  print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
us() { median <<<"${secs[$1]}"; }
peak() { values <<<"${rss[$1]}" | tail -1; }

# row CASE PROGRAM NAME OPENSSL_US: one line of the table.
copy_us="$(us "copy/dd bs=32k")"
row() {
  awk -v c="$1" -v p="$2" -v t="$(us "$3")" -v o="$4" -v s="$size" -v k="$copy_us" \
    -v r="$(peak "$3")" 'BEGIN {
      vs = (o == "") ? "" : sprintf("%.2f", t / o)
      printf "| %s | %s | %.2f | %.0f | %s | %.2f | %s |\n", c, p, t / 1e6, s / t, vs, t / k, r }'
}

kind="random bytes"
[ "$sparse" -eq 1 ] && kind="sparse, reads as zeros"
echo
echo "Input: $size bytes ($kind); $rounds interleaved rounds; $(nproc) cores," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')."
echo "$(openssl version | cut -d' ' -f1-2): Blowfish from its legacy provider with a 16-byte" \
  "key (quellmark's Blowfish-448: 56 bytes; the cost per byte is the same)."
echo "MB/s in 10^6 bytes of input per second; the copy floor is dd bs=32k."
echo
echo "| case | program | median s | MB/s | / openssl | / copy | peak RSS KiB |"
echo "|---|---|---:|---:|---:|---:|---:|"
for label in AES-256 Blowfish-448; do
  for dir in encrypt decrypt; do
    o_us="$(us "$label $dir/openssl")"
    row "$label $dir" quellmark "$label $dir/quellmark" "$o_us"
    row "$label $dir" openssl "$label $dir/openssl" ""
  done
done
row copy cp "copy/cp" ""
row copy "dd bs=32k" "copy/dd bs=32k" ""
echo
printf "%s" "$checked"
echo "Peak RSS: the largest of the $rounds runs of each case (/usr/bin/time -v)."
