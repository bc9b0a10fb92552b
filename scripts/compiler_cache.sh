# Sourced by the build scripts: compile through ccache when it is installed.
# Sets `launcher` (CMake arguments) and the cache's environment.
#
# The same sources in another checkout (CI's fresh clone) hit the same cache
# entries: paths below the checkout are hashed relative to it, the working
# folder, which names the checkout, is left out of the hash, and so is the
# prefix map, which differs only by the checkout's path.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=$root
  export CCACHE_NOHASHDIR=true
  export CCACHE_IGNOREOPTIONS='-ffile-prefix-map=*'
fi
