# Cross-compiles for Linux on arm64 with Debian's cross compiler
# (g++-aarch64-linux-gnu) against Debian's own arm64 Qt, installed beside the
# machine's through multiarch (qt6-base-dev:arm64): its libraries and CMake
# files lie in the aarch64-linux-gnu folders, found by the library
# architecture alone. Qt's code generators are the machine's own (QT_HOST_PATH
# in the preset). Programs and tests run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

find_program(QUORVANE_QEMU_AARCH64 qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVANE_QEMU_AARCH64})
# cpack names the package after the machine's own architecture otherwise.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
