#!/bin/sh
# Builds the RTF reader's fuzz targets with clang, libFuzzer, ASan and UBSan
# in build-fuzz/ and runs one for SECONDS (default 600): fuzz_rtfreader
# (default), seeded with the public RTF corpus and the reader's test
# fixtures, or fuzz_rtfpictures, the picture decoders alone. Findings land
# in build-fuzz/artifacts/; inputs the fuzzer found interesting in
# build-fuzz/corpus/ (build-fuzz/corpus-pictures/).
#   fuzz/run-fuzz.sh [SECONDS] [fuzz_rtfreader|fuzz_rtfpictures]
set -eu

seconds=${1:-600}
target=${2:-fuzz_rtfreader}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONGLOOM_FUZZ_BUILD:-$root/build-fuzz}
shared_corpus=${SONGLOOM_RTF_CORPUS:-$root/../shared/rtf-corpus}

cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2 --target "$target"

mkdir -p "$build/corpus" "$build/seeds" "$build/artifacts"
for dir in "$shared_corpus" "$root/tests/document/reader"; do
    if [ -d "$dir" ]; then
        find "$dir" -type f \( -name '*.rtf' -o -name '*.RTF' \) -exec cp {} "$build/seeds/" \;
    fi
done

cd "$build"
if [ "$target" = fuzz_rtfpictures ]; then
    mkdir -p corpus-pictures
    exec ./fuzz_rtfpictures -max_total_time="$seconds" -max_len=65536 -timeout=20 \
        -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="$build/artifacts/" corpus-pictures
fi
exec ./fuzz_rtfreader -max_total_time="$seconds" -max_len=65536 -timeout=20 \
    -rss_limit_mb=3072 -dict="$root/fuzz/rtf.dict" -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/" "$build/corpus" "$build/seeds"
