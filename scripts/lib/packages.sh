# Shared by the scripts: the lists of Debian packages the project needs.
# The Debian packages the project needs, sourced by the other scripts (after
# scripts/lib/steps.sh);
# `bash scripts/install-deps --list build` installs the list build_packages.
# shellcheck shell=bash
build_packages=(cmake make g++ qt6-base-dev libgl-dev libxcb1-dev)
run_packages=(xdg-utils fonts-dejavu-core)
bench_packages=(libbenchmark-dev libxcb1-dev pkgconf)
display_packages=(xvfb xauth)
# ccache: the builds, which CI repeats on every run, reuse what an earlier
# run compiled (scripts/lib/steps.sh: compile_through_cache).
# The desktop's own file chooser as GNOME users get it: GTK's through Qt's gtk3
# theme, and the desktop portal's through Qt's portal theme.
desktop_chooser_packages=(qt6-gtk-platformtheme qt6-xdgdesktopportal-platformtheme xdg-desktop-portal
    xdg-desktop-portal-gtk dbus-daemon)
# GNOME's own compositor, headless, with XWayland, and what the tests drive it
# through (D-Bus from Python, gsettings); Qt's Wayland platform, which the
# program must leave for XWayland there before Qt 6.8.
gnome_packages=(gnome-shell xwayland python3-gi libglib2.0-bin qt6-wayland)
# KWin, as Plasma runs it, with Breeze's title bars; and KDE's file dialog as
# Plasma's users get it in a Qt 6 program: through Plasma 6's own Qt theme, or
# on Plasma 5, for which Qt 6 has none, through KDE's portal (a Qt 5 program,
# on Wayland there).
kwin_packages=(kwin-wayland kwin-style-breeze)
if [ "$(release_codename)" = bookworm ]; then
    kwin_packages+=(xdg-desktop-portal-kde qtwayland5)
else
    kwin_packages+=(plasma-integration)
fi
# sway, headless, to read the frame it gives the window.
test_packages=("${bench_packages[@]}" "${display_packages[@]}" "${desktop_chooser_packages[@]}" "${gnome_packages[@]}"
    "${kwin_packages[@]}" sway openbox x11-utils xdotool strace ccache)
# What starting an installed program on a virtual X server needs.
started_packages=("${display_packages[@]}" xdotool)
deb_packages=(dpkg-dev file ccache)
package_packages=("${deb_packages[@]}" desktop-file-utils appstream lintian xvfb xauth xdotool)
check_packages=(clang-tidy clang-format python3)
windows_build_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev dpkg-dev nsis python3 xz-utils ccache)
windows_test_packages=(wine fonts-wine icoutils binutils binutils-mingw-w64-x86-64 python3 xvfb xauth xdotool openbox x11-utils)
# Cross-building for arm64 and running it under qemu-user, in a chroot whose
# dpkg has arm64 added (scripts/run-arm64-tests); Qt's code generators and
# CMake files for them are the machine's own (qt6-base-dev).
arm64_build_packages=(cmake make g++-aarch64-linux-gnu qt6-base-dev qt6-base-dev:arm64 libgl-dev:arm64 libxcb1-dev:arm64 qemu-user)
arm64_test_packages=("${display_packages[@]}" openbox x11-utils xdotool strace ccache)
# What scripts/windows/make-windows-icon renders the Windows icon with.
icon_packages=(librsvg2-bin icoutils)
# clang and its libFuzzer for scripts/run-fuzz: the unversioned packages are
# the release's own clang (14 on Debian 12, 19 on Debian 13) and the
# libclang-rt of that version.
fuzz_packages=(clang libclang-rt-dev)
