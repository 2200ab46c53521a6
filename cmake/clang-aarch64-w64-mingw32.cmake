# Cross-compiles for Windows on ARM64 with Debian's clang and the runtime that
# scripts/setup-arm64.sh builds; test programs run under the arm64 Wine tree.
# ARM64_TOOLCHAIN (a cache entry, or the environment's) names the toolchain's folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM64)

if(NOT ARM64_TOOLCHAIN)
  set(ARM64_TOOLCHAIN "$ENV{ARM64_TOOLCHAIN}" CACHE PATH "The ARM64 toolchain's folder")
endif()
if(NOT EXISTS "${ARM64_TOOLCHAIN}/bin/aarch64-w64-mingw32-clang++")
  message(FATAL_ERROR "No ARM64 toolchain in '${ARM64_TOOLCHAIN}'; run scripts/setup.sh")
endif()
# The compiler checks build test projects, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ARM64_TOOLCHAIN)

set(triple aarch64-w64-mingw32)
set(CMAKE_C_COMPILER ${ARM64_TOOLCHAIN}/bin/${triple}-clang)
set(CMAKE_CXX_COMPILER ${ARM64_TOOLCHAIN}/bin/${triple}-clang++)
set(CMAKE_RC_COMPILER ${ARM64_TOOLCHAIN}/bin/${triple}-windres)
set(CMAKE_AR /usr/bin/llvm-ar-19 CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/llvm-ranlib-19 CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH ${ARM64_TOOLCHAIN}/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/arm64-wine.sh wine)
