#!/bin/sh
# Runs every fuzz program of a fuzz build for the given number of seconds.
#
#   fuzz/run-fuzz.sh BUILD_FOLDER SECONDS [RELEASE_BUILD_FOLDER]
#
# With a release build folder, everything each target's corpus then holds is
# replayed there with every timed call bounded to 50 ms (the sanitizers of the
# fuzz build slow it by 10 to 40 times; there the bound is 1000 ms, for calls that go badly wrong).
#
# New inputs go to BUILD_FOLDER/fuzz-corpus/<target>, crashes to
# BUILD_FOLDER/fuzz-crashes/<target>/; the committed seeds, the BMP suite and the
# recorded drawing scripts are read but never written. Exits non-zero when any
# target found a crash: keep the input under fuzz/regressions/<target>/ once it
# is understood, so that the normal test build replays it.
set -u
build=$1
seconds=$2
release=${3:-}
targets="bmp-stretch draw-script display painter instruments dialog-loop lcd"
root=$(cd "$(dirname "$0")/.." && pwd)
failed=0
# Undefined behaviour stops a run.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

for target in $targets; do
    corpus="$build/fuzz-corpus/$target"
    crashes="$build/fuzz-crashes/$target"
    mkdir -p "$corpus" "$crashes"
    set -- "$corpus" "$root/fuzz/corpus/$target" "$root/fuzz/regressions/$target"
    options="-max_len=4096"
    case $target in
        bmp-stretch)
            set -- "$@" "$root/tests/canvas/bitmap/bmpsuite/g" "$root/tests/canvas/bitmap/bmpsuite/q" \
                "$root/tests/canvas/bitmap/bmpsuite/b" "$root/tests/canvas/bitmap/bmpsuite/x"
            # CI keeps the shared test data beside the clone.
            for extra in "$root/../shared/testdata/bmpsuite/g" "$root/../shared/testdata/bmpsuite/q"; do
                [ -d "$extra" ] && set -- "$@" "$extra"
            done
            options="-max_len=40000"
            ;;
        draw-script)
            set -- "$@" "$root/tests/canvas/raster/fixtures"
            options="$options -dict=$root/fuzz/draw-script.dict"
            ;;
    esac
    echo "== fuzz-$target for ${seconds}s"
    if ! FUZZ_CALL_LIMIT_MS=1000 "$build/bin/fuzz-$target" $options -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$crashes/" -print_final_stats=1 "$@" 2>"$build/fuzz-$target.log"; then
        failed=1
        echo "fuzz-$target FAILED; see $build/fuzz-$target.log and $crashes/"
    fi
    grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|stat::peak_rss_mb):" \
        "$build/fuzz-$target.log"
done
if [ -n "$release" ]; then
    for target in $targets; do
        if ! "$release/bin/fuzz-replay" --call-limit-ms 50 "$target" "$build/fuzz-corpus/$target" \
            "$root/fuzz/corpus/$target" "$root/fuzz/regressions/$target"; then
            failed=1
            echo "fuzz-replay $target in $release: an input failed or a call took more than 50 ms"
        fi
    done
fi
exit $failed
