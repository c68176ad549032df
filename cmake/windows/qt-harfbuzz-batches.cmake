# Read by Qt's own configure (scripts/windows/build-windows-qt), once per
# project() of it. Qt compiles its bundled third-party code file by file,
# even in a unity build: HarfBuzz, its largest, then takes about as long as
# all of QtCore. HarfBuzz is written to be compiled as one file (its own
# harfbuzz.cc includes all the others), so it goes in batches like the rest.
include_guard(GLOBAL)

function(quorvane_harfbuzz_in_batches)
    if(NOT TARGET BundledHarfbuzz)
        return()
    endif()
    get_target_property(sources BundledHarfbuzz SOURCES)
    get_target_property(folder BundledHarfbuzz SOURCE_DIR)
    list(TRANSFORM sources PREPEND "${folder}/" REGEX "^[^/]")
    set_source_files_properties(${sources} TARGET_DIRECTORY BundledHarfbuzz
        PROPERTIES SKIP_UNITY_BUILD_INCLUSION OFF)
    set_property(TARGET BundledHarfbuzz PROPERTY UNITY_BUILD ON)
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL quorvane_harfbuzz_in_batches)
