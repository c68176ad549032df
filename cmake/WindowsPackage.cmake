# On Windows the program is a GUI-subsystem executable carrying its icon,
# version information and manifest. It is installed flat, beside exactly the
# Qt and MinGW DLLs and Qt plugins it loads, and `cpack` packs that tree into
# a zip and an NSIS installer.
configure_file(cmake/windows/quorvane.rc.in quorvane.rc @ONLY)
configure_file(cmake/windows/quorvane.manifest.in quorvane.manifest @ONLY)
target_sources(quorvane PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/quorvane.rc)
set_target_properties(quorvane PROPERTIES WIN32_EXECUTABLE TRUE)
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/quorvane.rc APPEND PROPERTY OBJECT_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/quorvane.ico ${CMAKE_CURRENT_BINARY_DIR}/quorvane.manifest)

# MinGW's own runtime, which every program and Qt DLL of the build loads.
set(QUORVANE_MINGW_RUNTIME)
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "MinGW's ${dll} was not found (${CMAKE_CXX_COMPILER} answered '${path}')")
    endif()
    file(REAL_PATH "${path}" path)
    list(APPEND QUORVANE_MINGW_RUNTIME ${path})
endforeach()

# Debian ships MinGW's runtime with its symbols; users get it without.
set(stripped_runtime)
foreach(dll IN LISTS QUORVANE_MINGW_RUNTIME)
    get_filename_component(name ${dll} NAME)
    set(stripped ${CMAKE_CURRENT_BINARY_DIR}/mingw-runtime/${name})
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/mingw-runtime)
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${dll} COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND stripped_runtime ${stripped})
endforeach()

install(TARGETS quorvane RUNTIME DESTINATION .)
install(FILES ${stripped_runtime}
              $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

set(CPACK_GENERATOR NSIS ZIP)
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
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Quorvane)
set(CPACK_NSIS_DISPLAY_NAME Quorvane)
set(CPACK_NSIS_INSTALLED_ICON_NAME quorvane.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/quorvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/quorvane.ico)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
include(CPack)
