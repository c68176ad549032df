# The Debian packages the project needs, sourced by the other scripts.
# shellcheck shell=bash
build_packages=(cmake make g++ qt6-base-dev libgl-dev libxcb1-dev)
run_packages=(xdg-utils fonts-dejavu-core)
test_packages=(libbenchmark-dev xvfb xauth openbox x11-utils)
package_packages=(dpkg-dev file desktop-file-utils appstream xvfb xauth xdotool)
check_packages=(clang-tidy clang-format)
windows_build_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev dpkg-dev)
windows_test_packages=(wine fonts-wine nsis icoutils binutils-mingw-w64-x86-64 xvfb xauth xdotool openbox x11-utils)
