#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Builds the fuzz targets with clang and runs each for a fixed time on its seed corpus.
# Usage: tools/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j "$(nproc)" --target fuzz_all

# New inputs go to a scratch folder so that the committed seed corpus stays small.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for target in build-fuzz/fuzz/fuzz_*; do
  name="$(basename "$target")"
  corpus="fuzz/corpus/${name#fuzz_}"
  mkdir -p "$scratch/$name"
  echo "== $name for ${seconds} s"
  if ! "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="fuzz-$name-" "$scratch/$name" "$corpus" > "$scratch/$name.log" 2>&1; then
    tail -n 60 "$scratch/$name.log"
    echo "$name failed; the input that did it is in ./fuzz-$name-*" >&2
    exit 1
  fi
  grep -E '^(Done|stat::(average_exec_per_sec|new_units_added|peak_rss_mb))' "$scratch/$name.log"
done
