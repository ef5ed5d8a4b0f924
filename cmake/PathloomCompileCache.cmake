# Compiles go through ccache when it is installed: CI and developers build the same sources in
# fresh clones again and again, so objects are kept in ccache's own folder, outside every clone.
# Paths are taken relative to the source folder and the build folder is left out of the hash, so
# a second clone of the same commit compiles nothing. The sloppiness lets precompiled headers be
# cached too.
find_program(PATHLOOM_CCACHE ccache)
if(PATHLOOM_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    set(CMAKE_CXX_COMPILER_LAUNCHER
        ${CMAKE_COMMAND} -E env
        CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}
        CCACHE_NOHASHDIR=1
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        CCACHE_MAXSIZE=20G
        ${PATHLOOM_CCACHE})
endif()
