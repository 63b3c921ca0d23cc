#!/usr/bin/env bash
# Runs one fuzz target for a bounded time from its committed seed corpus.
# New inputs go to a temporary folder; the seeds are never changed.
# Usage: run_fuzzer.sh FUZZER SEED_CORPUS SECONDS [libFuzzer options...]
set -euo pipefail
fuzzer=$(realpath "$1")
seeds=$(realpath "$2")
seconds=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$fuzzer" -max_total_time="$seconds" -seed=1 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@" "$work" "$seeds"
