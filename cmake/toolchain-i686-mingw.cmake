# Cross-compiling for 32-bit Windows with mingw-w64 (i686, POSIX thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(VEXLO_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${VEXLO_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${VEXLO_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER  ${VEXLO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXLO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test executables run under Wine through a wrapper that the test tree configures.
set(VEXLO_USE_WINE ON CACHE BOOL "Run target executables under Wine")
