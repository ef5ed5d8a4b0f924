# Sourced by the scripts that build: configure DIR [CMAKE ARGS...] configures one build folder.
# Every folder is built with Ninja (and through ccache, see cmake/PathloomCompileCache.cmake); a
# folder configured earlier with another generator is made anew.
configure() {
  local dir=$1
  shift
  if [[ -f "$dir/CMakeCache.txt" ]] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$dir/CMakeCache.txt"; then
    rm -rf "$dir"
  fi
  cmake -S . -B "$dir" -G Ninja "$@"
}
