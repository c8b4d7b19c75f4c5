#!/usr/bin/env bash
# Writes one level of a sample drawing as STL at falling tolerances with the
# stand-in host (under Wine) and has Debian's admesh, an independent checker,
# read each file natively.
#   stl_admesh_test.sh WINE_RUN PREFIX WRITER DRAWING LEVEL PARTS VOLUME WORK_FOLDER
# PARTS: the number of solids on the level; VOLUME: their exact total volume.
set -euo pipefail
wine_run=$1 prefix=$2 writer=$3 drawing=$4 level=$5 parts=$6 volume=$7 work=$8

windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
# The value after "NAME :" in admesh's report (the first number after it).
field() { sed -n "s/^$2[[:space:]]*:[[:space:]]*\([-0-9.]*\).*/\1/p" <<<"$1" | head -n1; }

rm -rf "$work"
mkdir -p "$work"
previous=0
for tolerance in 1 0.1 0.01; do
  stl="$work/level-$tolerance.stl"
  "$wine_run" "$prefix" "$writer" "$(windows_path "$drawing")" "$level" "$tolerance" "$(windows_path "$stl")" \
    || fail "the writer failed at tolerance $tolerance"
  [[ -s "$stl" ]] || fail "no file at tolerance $tolerance"
  [[ "$(head -c 5 "$stl")" != "solid" ]] || fail "the header begins with \"solid\""

  report=$(admesh "$stl")
  grep -q "File type[[:space:]]*: Binary STL file" <<<"$report" || fail "admesh does not read a binary STL file"
  facets=$(sed -n 's/^Number of facets[[:space:]]*:[[:space:]]*\([0-9]*\).*/\1/p' <<<"$report")
  [[ $(stat -c %s "$stl") -eq $((84 + 50 * facets)) ]] || fail "the file size does not match $facets facets"
  [[ $(field "$report" "Number of parts") -eq $parts ]] || fail "not $parts parts at tolerance $tolerance"
  for clean in "Degenerate facets" "Edges fixed" "Facets removed" "Facets added" "Facets reversed" \
               "Backwards edges" "Normals fixed"; do
    [[ $(field "$report" "$clean") -eq 0 ]] || fail "$clean is not 0 at tolerance $tolerance"
  done
  grep -Eq "^Total disconnected facets[[:space:]]*:[[:space:]]*0[[:space:]]+0$" <<<"$report" \
    || fail "disconnected facets at tolerance $tolerance"
  measured=$(sed -n 's/.*Volume[[:space:]]*:[[:space:]]*\([-0-9.]*\).*/\1/p' <<<"$report")
  awk -v m="$measured" -v v="$volume" 'BEGIN { exit !(m > 0.99 * v && m <= 1.000001 * v) }' \
    || fail "volume $measured is not within 1% below $volume at tolerance $tolerance"
  ((facets > previous)) || fail "tolerance $tolerance gives $facets facets, not more than $previous"
  echo "tolerance $tolerance: $facets facets, $parts parts, volume $measured"
  previous=$facets
done
