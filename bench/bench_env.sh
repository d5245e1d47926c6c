# Sourced by the benchmarks: the project's environment, the build (unless
# BENCH_SKIP_BUILD=1), a Wine prefix of the benchmark's own and the timing
# helpers. The caller sets BENCH_DIR before bench_prefix.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"

bench_build() {
    need_packages
    [ "${BENCH_SKIP_BUILD:-0}" = 1 ] || configure_and_build
}

# A prefix in BENCH_DIR, so a test run's prefix is left alone, with one
# wineserver for all runs: each run then costs what a started program costs.
bench_prefix() {
    BUILD_DIR=$BENCH_DIR make_test_prefix
    PREFIX_MADE=1
    start_display
    wineserver -p
}

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
# Megabytes (10^6 bytes) per second.
rate() { awk -v bytes="$1" -v s="$2" 'BEGIN { if (s <= 0) print "-"; else printf "%.1f", bytes / 1e6 / s }'; }
