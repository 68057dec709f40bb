# The release archive: `cmake --build --preset win32 --target package` leaves
# ScribbitⅡ-<major>.<minor>-win32.zip (win64 for the x86_64 build) and its
# SHA-256 checksum in the build folder. The archive holds one folder with the
# program and its read-me: unpacked anywhere, that folder is all the program
# needs, and its settings file appears there.
install(TARGETS scribbit RUNTIME DESTINATION .)
install(FILES "${SCRIBBIT_README}" DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
else()
    set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME "ScribbitⅡ")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The symbols the static runtime brings along are half the program's size.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Fixed time stamps and a fixed order of entries (see release_zip.cmake).
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/release_zip.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/release_zip.cmake")
set(CPACK_SCRIBBIT_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
include(CPack)
