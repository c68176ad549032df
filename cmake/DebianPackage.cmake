# `cpack -G DEB` packs what `cmake --install` puts in place into a .deb for
# /usr. dpkg-shlibdeps reads the library dependencies off the binary (Qt's X11
# and Wayland platform plugins come with libqt6gui6); what the program needs
# without linking to it is named here: xdg-open, which starts the file browser.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_CONTACT "Quorvane maintainers <maintainers@users.noreply.c-seed-eb3a6798.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Split one EPROM image into equal pieces, one per chip")
set(CPACK_PACKAGE_DESCRIPTION [[
Quorvane cuts one EPROM image into 2 to 8 equal, consecutive pieces, one per
chip of a bank of 27-series EPROMs (2716 to 27010), and writes them beside the
image as base_1.bin, base_2.bin and so on.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
include(CPack)
