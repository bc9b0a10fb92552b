# The Windows build (MinGW-w64 cross build, scripts/windows.sh): what differs
# from the Debian build is set here, included from the top CMakeLists.txt.

# One self-contained program each: the C and C++ runtimes and the static Qt
# linked in, nothing to install beside the executables.
add_link_options(-static)
# M_PI and friends are only declared on request with MinGW's math.h.
add_compile_definitions(_USE_MATH_DEFINES)

# nlohmann/json is header-only: Debian's headers, copied out of /usr/include
# so that no other Linux header lands on the Windows compiler's path.
if(NOT TARGET nlohmann_json::nlohmann_json)
  set(tarvelo_json_include ${PROJECT_BINARY_DIR}/windows-include)
  file(COPY /usr/include/nlohmann DESTINATION ${tarvelo_json_include})
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${tarvelo_json_include})
endif()

# GoogleTest from Debian's sources (libgtest-dev ships them), built with the
# cross compiler; GTest::gtest_main as find_package would give it.
if(TARVELO_BUILD_TESTS AND NOT TARGET GTest::gtest_main)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # The test lists are read when CTest runs (under the emulator, wine), not
  # after every link.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()
