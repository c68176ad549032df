# On Windows the program is a GUI-subsystem executable carrying its icon,
# version information and manifest. Qt and MinGW's runtime are linked into
# it, so the packages hold quorvane.exe, Quorvane's licence and the licences
# of what it bundles; `cpack` packs them into a zip and an NSIS installer.
configure_file(cmake/windows/quorvane.rc.in quorvane.rc @ONLY)
configure_file(cmake/windows/quorvane.manifest.in quorvane.manifest @ONLY)
target_sources(quorvane PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/quorvane.rc)
set_target_properties(quorvane PROPERTIES WIN32_EXECUTABLE TRUE)
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/quorvane.rc APPEND PROPERTY OBJECT_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/quorvane.ico ${CMAKE_CURRENT_BINARY_DIR}/quorvane.manifest)

# The licence texts come from the Qt build named: what it compiled and the
# source package it kept (scripts/windows/build-windows-qt records both).
set(licences ${CMAKE_CURRENT_BINARY_DIR}/package-licenses)
set(qt_record ${QUORVANE_WINDOWS_QT}/source)
add_custom_command(
    OUTPUT ${licences}/licenses/COMPONENTS.txt ${licences}/license-page.txt
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/windows/windows-licenses ${QUORVANE_WINDOWS_QT} ${PROJECT_VERSION} ${licences}
    DEPENDS ${PROJECT_SOURCE_DIR}/scripts/windows/windows-licenses ${PROJECT_SOURCE_DIR}/scripts/windows/qt-attributions.py
            ${PROJECT_SOURCE_DIR}/LICENSE ${qt_record}/compiled-sources.txt ${qt_record}/configure-options.txt
    COMMENT "Gathering the licences of the code quorvane.exe bundles"
    VERBATIM)
add_custom_target(windows_licenses ALL DEPENDS ${licences}/licenses/COMPONENTS.txt)

# The release builds the program and its licences alone (scripts/build-windows);
# the suites are built only where they run: packing them all again would
# compile them once more in every rebuild from the source archive.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS quorvane RUNTIME DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
install(DIRECTORY ${licences}/licenses DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
# The installer script below reaches cpack as written, quotes and all.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Quorvane)
set(CPACK_PACKAGE_VENDOR "The Quorvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Split one EPROM image into equal pieces, one per chip")
set(CPACK_PACKAGE_FILE_NAME quorvane-${PROJECT_VERSION}-windows-x86_64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quorvane)
set(CPACK_STRIP_FILES ON)
# The Start-menu entry; the program sits at the top of the installed tree.
set(CPACK_PACKAGE_EXECUTABLES quorvane Quorvane)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# A 64-bit installer for a 64-bit program: it installs into the 64-bit
# Program Files and registers its uninstaller in the 64-bit registry view.
# Explorer shows the version information of the installer too. An upgrade
# goes where the last install went: the folder the installer recorded, read
# before the old version is uninstalled. The installer records no file's
# time (installed files are dated by the install): cpack writes some of the
# files it packs at packing time, and the same source is to give the same
# installer.
string(CONFIGURE [=[
Target amd64-unicode
!include FileFunc.nsh
VIProductVersion @PROJECT_VERSION@.0
VIFileVersion @PROJECT_VERSION@.0
VIAddVersionKey /LANG=1033 ProductName "Quorvane"
VIAddVersionKey /LANG=1033 ProductVersion "@PROJECT_VERSION@"
VIAddVersionKey /LANG=1033 FileVersion "@PROJECT_VERSION@"
VIAddVersionKey /LANG=1033 FileDescription "Quorvane @PROJECT_VERSION@ installer"
VIAddVersionKey /LANG=1033 CompanyName "@CPACK_PACKAGE_VENDOR@"
VIAddVersionKey /LANG=1033 LegalCopyright "Copyright (c) 2026 @CPACK_PACKAGE_VENDOR@"
InstallDirRegKey HKLM "Software\@CPACK_PACKAGE_VENDOR@\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@" ""
SetDateSave off
]=] CPACK_NSIS_DEFINES @ONLY)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Quorvane)
set(CPACK_NSIS_DISPLAY_NAME Quorvane)
set(CPACK_NSIS_INSTALLED_ICON_NAME quorvane.exe)
# What Add/Remove Programs shows beyond CMake's entries, and the command a
# deployment tool uninstalls with.
string(CONFIGURE [=[
  WriteRegStr SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /S"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@" "EstimatedSize" "$0"
  ; Windows' Settings uninstalls: the Start menu needs no shortcut for it.
  Delete "$SMPROGRAMS\$STARTMENU_FOLDER\Uninstall.lnk"
]=] CPACK_NSIS_EXTRA_INSTALL_COMMANDS @ONLY)
# CPack's script leaves an empty vendor key behind; the folder key is its
# only content, so both go (CPack deletes the folder key again, harmlessly).
string(CONFIGURE [=[
  DeleteRegKey SHCTX "Software\@CPACK_PACKAGE_VENDOR@\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"
  DeleteRegKey /ifempty SHCTX "Software\@CPACK_PACKAGE_VENDOR@"
]=] CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS @ONLY)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/quorvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/quorvane.ico)
# The installer's licence page: Quorvane's licence, then the notice of what
# it bundles and on which terms (cpack reads it from the project file).
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
configure_file(cmake/windows/CPackProject.cmake.in CPackProject.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackProject.cmake)
# The same source packs to the same zip.
set(CPACK_QUORVANE_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows/ReproducibleZip.cmake)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
include(CPack)
