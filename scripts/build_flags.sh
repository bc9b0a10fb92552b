# Sourced by the build scripts: Debian's hardening flags (stack protector,
# fortify, full RELRO, PIE) and the prefix map that keeps the checkout's path
# out of the programs. The normal build uses them, so the Debian package is
# made from that same build instead of a tree of its own. Sets `flag_args`
# (CMake arguments).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags_cxx="$(cd "$root" && dpkg-buildflags --get CPPFLAGS) $(cd "$root" && dpkg-buildflags --get CXXFLAGS)"
# The build type gives -O2 -g (RelWithDebInfo); the package strips.
flags_cxx=${flags_cxx//-g /}
flags_cxx=${flags_cxx//-O2 /}
flag_args=(-DCMAKE_CXX_FLAGS="$flags_cxx" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)")
