#!/bin/sh
# Builds the RTF reader's fuzz target with clang, libFuzzer, ASan and UBSan in
# build-fuzz/ and runs it for SECONDS (default 600), seeded with the public
# RTF corpus and the reader's test fixtures. Findings land in
# build-fuzz/artifacts/; new inputs the fuzzer found interesting in
# build-fuzz/corpus/.
#   fuzz/run-fuzz.sh [SECONDS]
set -eu

seconds=${1:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONGLOOM_FUZZ_BUILD:-$root/build-fuzz}
shared_corpus=${SONGLOOM_RTF_CORPUS:-$root/../shared/rtf-corpus}

cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2 --target fuzz_rtfreader

mkdir -p "$build/corpus" "$build/seeds" "$build/artifacts"
for dir in "$shared_corpus" "$root/tests/document/reader"; do
    if [ -d "$dir" ]; then
        find "$dir" -type f \( -name '*.rtf' -o -name '*.RTF' \) -exec cp {} "$build/seeds/" \;
    fi
done

cd "$build"
exec ./fuzz_rtfreader -max_total_time="$seconds" -max_len=65536 -timeout=20 \
    -rss_limit_mb=3072 -dict="$root/fuzz/rtf.dict" -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/" "$build/corpus" "$build/seeds"
