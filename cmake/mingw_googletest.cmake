# GoogleTest for the Windows test programs (the adapter contract tests and
# the end-to-end driver), built from the sources Debian's googletest package
# ships, so that every suite reports in the same form. GoogleTest's own
# warnings are its own: our -Werror flags are not applied to it.
set(SCRIBBIT_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT TARGET gtest)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    add_subdirectory(${SCRIBBIT_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # The test programs link statically, like the program itself.
    target_compile_definitions(gtest PUBLIC GTEST_HAS_PTHREAD=0)
endif()
