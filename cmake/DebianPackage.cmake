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
# The desktop's own file chooser and title bar: GTK's chooser on GNOME and
# other GTK desktops, the portal's (KDE's) on Plasma 5, and Qt's Wayland
# platform with GNOME's Adwaita frame. Plasma 6 brings KDE's Qt theme itself.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-gtk-platformtheme, qt6-xdgdesktopportal-platformtheme, qt6-wayland")

# Every Debian package carries its licence, in Debian's machine-readable form,
# and its changelog in share/doc/<package>. They are installed by
# `cmake --install` as well, so the package and the installed tree stay the
# same. Debian calls the MIT licence "Expat"; the text is the one of LICENSE.
set(quorvane_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME})
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" license "${license}")
string(REGEX REPLACE "\n+$" "" license "${license}")
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
set(QUORVANE_LICENSE_TEXT " ${license}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in copyright @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${quorvane_docdir})

set(changelog ${CMAKE_CURRENT_LIST_DIR}/debian/changelog)
file(STRINGS ${changelog} newest LIMIT_COUNT 1)
# Both are read here, so a change to either configures afresh.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${changelog})
if(NOT newest MATCHES "^quorvane \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "${changelog} has no entry for version ${PROJECT_VERSION} at its top")
endif()
# Compressed as Debian wants them: the most, and without a time stamp.
function(quorvane_install_gzipped source destination)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${name}.gz
        COMMAND gzip -9 -n -c ${source} > ${name}.gz
        DEPENDS ${source} VERBATIM)
    add_custom_target(quorvane_${name}_gz ALL DEPENDS ${name}.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz DESTINATION ${destination})
endfunction()
quorvane_install_gzipped(${changelog} ${quorvane_docdir})
# The manual page says what the program is to `man quorvane`.
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/quorvane.1.in quorvane.1 @ONLY)
quorvane_install_gzipped(${CMAKE_CURRENT_BINARY_DIR}/quorvane.1 ${CMAKE_INSTALL_MANDIR}/man1)

include(CPack)
