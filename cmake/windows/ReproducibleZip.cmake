# Run by cpack once it has made the packages: the zip is written afresh,
# dated SOURCE_DATE_EPOCH, since cpack's zip writer copies into every entry
# the access and change times, owner and modes of the file it packs; the same
# source is to give the same zip. Without SOURCE_DATE_EPOCH
# (scripts/build-windows sets it) the zip is left as cpack makes it.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        execute_process(COMMAND python3 ${CPACK_QUORVANE_SOURCE_DIR}/scripts/windows/reproducible-zip.py
                                ${package} $ENV{SOURCE_DATE_EPOCH}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
