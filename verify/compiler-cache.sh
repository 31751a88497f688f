# The test command's compiler cache, sourced by tools/test.sh: ccache in one
# folder outside the clone, which every preset and the package build share,
# bounded in size. It saves compiling, never a test: every stage still builds
# what it tests and runs every test. A damaged entry is a miss to ccache (each
# entry carries a checksum), compiled again and stored anew.
#   MIVELLO_CACHE       the folder (default ~/.cache/mivello-tests); removing it clears every cache
#   MIVELLO_CACHE_SIZE  ccache's bound (default 8G)
#   compiler_cache_counts   "H hits, M misses" since the last call, or "no cache"
#   without_compiler_cache COMMAND...   COMMAND with nothing taken from the cache
mivello_cache=${MIVELLO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mivello-tests}
compiler_cache=""
if ! command -v ccache >/dev/null; then
  echo "compiler cache: none (no ccache on PATH): everything is compiled"
elif ! mkdir -p "$mivello_cache/ccache" 2>/dev/null || ! [ -w "$mivello_cache/ccache" ]; then
  echo "compiler cache: none ($mivello_cache cannot be written): everything is compiled"
else
  compiler_cache=$mivello_cache/ccache
  export CCACHE_DIR=$compiler_cache CCACHE_MAXSIZE=${MIVELLO_CACHE_SIZE:-8G}
  # Paths below the clone are hashed relative to it, and the build folder is
  # not hashed (the builds map both away): a clone in another folder hits.
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
  # CMake takes these as every new build folder's launchers.
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  echo "compiler cache: $compiler_cache ($(ccache --get-config max_size) at most; $(du -sh "$compiler_cache" | cut -f1) now)"
fi

compiler_cache_last=(0 0)
compiler_cache_counts() {
  [ -n "$compiler_cache" ] || { echo "no cache"; return 0; }
  local stats hits misses
  stats=$(ccache --print-stats 2>/dev/null || true)
  hits=$(awk -F'\t' '$1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { n += $2 } END { print n + 0 }' <<<"$stats")
  misses=$(awk -F'\t' '$1 == "cache_miss" { n += $2 } END { print n + 0 }' <<<"$stats")
  echo "$((hits - compiler_cache_last[0])) hits, $((misses - compiler_cache_last[1])) misses"
  compiler_cache_last=("$hits" "$misses")
}

without_compiler_cache() {
  env -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER CCACHE_DISABLE=1 "$@"
}
