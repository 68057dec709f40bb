# Makes the release archive reproducible: two builds of one commit give the
# same bytes. cpack reads this file twice: as CPACK_PROJECT_CONFIG_FILE before
# it packs, and as a CPACK_POST_BUILD_SCRIPTS entry (CPACK_PACKAGE_FILES then
# names the archives) after it packed and before it writes the checksum.
# The entries also carry the builder's user and group ids, which CPack before
# CMake 4.3 cannot set: builds by the same user compare equal.
if(NOT DEFINED CPACK_PACKAGE_FILES)
    # Every time stamp in the archive: SOURCE_DATE_EPOCH when the caller sets
    # it, otherwise the time of the commit being packed. It must be set before
    # cpack installs: strip writes it into the program's PE header (the
    # current time when it is not set).
    if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
        execute_process(COMMAND git -C "${CPACK_SCRIBBIT_SOURCE_DIR}" log -1 --format=%ct
            OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
        if(failed OR NOT commit_time MATCHES "^[0-9]+$")
            set(commit_time 315532800)  # 1980-01-01, the earliest time a ZIP entry can hold
        endif()
        set(ENV{SOURCE_DATE_EPOCH} "${commit_time}")
    endif()
    # ZIP entries keep the time of day in local time: make it the same everywhere.
    set(ENV{TZ} UTC)
    return()
endif()

# cpack adds files in the order the file system lists them, which differs
# between machines: write the archive again with its entries sorted by name.
# The time stamps come from SOURCE_DATE_EPOCH, set above and inherited.
cmake_path(GET CPACK_TEMPORARY_DIRECTORY PARENT_PATH staging)
file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE "${staging}" "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT entries)
list(JOIN entries "\n" listing)
file(WRITE "${staging}/entries.txt" "${listing}\n")
foreach(archive IN LISTS CPACK_PACKAGE_FILES)
    file(REMOVE "${archive}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${archive}" --format=zip "--files-from=${staging}/entries.txt"
        WORKING_DIRECTORY "${staging}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "could not write ${archive}")
    endif()
endforeach()
