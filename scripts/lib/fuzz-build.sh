# Sourced by the fuzz scripts in scripts/test.d (not run by itself).
#
#   fuzz_build NAME TARGET...
#
# Checks that clang can build libFuzzer targets (without it the calling
# script says why and passes: exit 0), then configures build-fuzz/ with the
# fuzzers on and builds TARGET... with FUZZ_JOBS (default 2) jobs. NAME is
# the calling script's name, for its messages.
fuzz_build() {
  local name=$1
  shift
  if ! command -v clang >/dev/null 2>&1 || ! command -v clang++ >/dev/null 2>&1; then
    echo "$name: clang not found, skipped"
    exit 0
  fi
  local probe
  probe=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/probe.cpp"
  if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then
    rm -rf "$probe"
    echo "$name: clang cannot build libFuzzer targets (libclang-rt missing?), skipped"
    exit 0
  fi
  rm -rf "$probe"
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DFLICKERMOTH_FUZZ=ON -DFLICKERMOTH_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  cmake --build build-fuzz -j"${FUZZ_JOBS:-2}" --target "$@"
}
