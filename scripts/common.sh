# Shared settings of the scripts: the project root and the build folders.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CORPUS_DEFAULT="$(cd "$ROOT/.." && pwd)/shared/corpus"
export VORNA_CORPUS="${VORNA_CORPUS:-$CORPUS_DEFAULT}"
JOBS="${JOBS:-$(nproc)}"
# Build folders live here; set VORNA_BUILD_ROOT to keep several checkouts apart.
BUILD_ROOT="${VORNA_BUILD_ROOT:-$ROOT/build}"

# configure_and_build DIR BUILD_TYPE [cmake options...]
configure_and_build() {
  local dir="$1" type="$2"
  shift 2
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}
