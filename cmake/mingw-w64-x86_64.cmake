# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, posix thread
# model (Qt's threads need it). Used both to build Qt itself and to build the
# tool against that Qt; QUORVANE_WINDOWS_QT names where that Qt is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
if(DEFINED QUORVANE_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH ${QUORVANE_WINDOWS_QT})
endif()
# try_compile reads this file again and needs to know where Qt is too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORVANE_WINDOWS_QT)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
