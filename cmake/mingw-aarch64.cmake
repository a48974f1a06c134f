# Cross-compiling for Windows on ARM64 with Debian's clang-14 and lld-14, over the aarch64 sysroot
# (mingw-w64 CRT, compiler-rt, libc++) that scripts/arm64-sysroot.sh builds into the user's cache.
# Its wrappers set the target, the sysroot, libc++ and compiler-rt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM64)

# The cache folder is named after the pinned versions, which the script keeps on its key= line.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../scripts/arm64-sysroot.sh _revaze_key REGEX "^key=")
string(REPLACE "key=" "" _revaze_key "${_revaze_key}")
if(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_revaze_cache $ENV{XDG_CACHE_HOME})
else()
    set(_revaze_cache $ENV{HOME}/.cache)
endif()
set(REVAZE_ARM64_ROOT ${_revaze_cache}/revaze/arm64-sysroot-${_revaze_key}
    CACHE PATH "The aarch64 toolchain folder that scripts/arm64-sysroot.sh built")
if(NOT EXISTS ${REVAZE_ARM64_ROOT}/.complete)
    message(FATAL_ERROR "No aarch64 sysroot in ${REVAZE_ARM64_ROOT}: run scripts/arm64-sysroot.sh")
endif()

set(CMAKE_C_COMPILER ${REVAZE_ARM64_ROOT}/bin/aarch64-w64-mingw32-clang)
set(CMAKE_CXX_COMPILER ${REVAZE_ARM64_ROOT}/bin/aarch64-w64-mingw32-clang++)
set(CMAKE_RC_COMPILER ${REVAZE_ARM64_ROOT}/bin/aarch64-w64-mingw32-windres)
set(CMAKE_AR ${REVAZE_ARM64_ROOT}/bin/aarch64-w64-mingw32-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${REVAZE_ARM64_ROOT}/bin/aarch64-w64-mingw32-ranlib CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH ${REVAZE_ARM64_ROOT}/sysroot)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
