# The Win32 program and the end-to-end driver, cross-compiled with MinGW-w64.
enable_language(RC)

set(SCRIBBIT_WIN_DEFINES UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_definitions(scribbit_logic PRIVATE ${SCRIBBIT_WIN_DEFINES})
# GCC 12 reports impossible overlaps (-Wrestrict) inside libstdc++ when it
# inlines "literal + std::u16string&&" at -O2 and above (GCC bug 105329);
# the warning is wrong there, and with -Werror it would stop the build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict)
    target_compile_options(scribbit_logic PRIVATE -Wno-restrict)
endif()

file(GLOB SCRIBBIT_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
file(GLOB SCRIBBIT_RESOURCE_FILES CONFIGURE_DEPENDS resources/*.rc)
add_executable(scribbit WIN32 ${SCRIBBIT_WIN32_SOURCES} ${SCRIBBIT_RESOURCE_FILES})
set_target_properties(scribbit PROPERTIES OUTPUT_NAME "ScribbitⅡ")
target_compile_definitions(scribbit PRIVATE ${SCRIBBIT_WIN_DEFINES})
target_compile_options(scribbit PRIVATE ${SCRIBBIT_WARNINGS})
target_include_directories(scribbit PRIVATE src resources)
# Statically linked: the program needs nothing beyond the DLLs every Windows has.
target_link_options(scribbit PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(scribbit PRIVATE scribbit_logic
    comctl32 comdlg32 shell32 gdi32 user32 winspool advapi32 ole32 uuid)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# The read-me the Help menu opens lies beside the program, in the code page
# the program reads text files in.
find_program(SCRIBBIT_ICONV iconv REQUIRED)
set(SCRIBBIT_README "${CMAKE_CURRENT_BINARY_DIR}/Readme.txt")
add_custom_command(OUTPUT "${SCRIBBIT_README}"
    COMMAND "${CMAKE_COMMAND}" "-DICONV=${SCRIBBIT_ICONV}" "-DINPUT=${CMAKE_CURRENT_SOURCE_DIR}/dist/Readme.txt"
            "-DOUTPUT=${SCRIBBIT_README}" -P "${CMAKE_CURRENT_SOURCE_DIR}/cmake/shift_jis_text.cmake"
    DEPENDS dist/Readme.txt cmake/shift_jis_text.cmake
    COMMENT "Readme.txt in Shift-JIS")
add_custom_target(scribbit_readme DEPENDS "${SCRIBBIT_README}")
add_dependencies(scribbit scribbit_readme)

file(GLOB SCRIBBIT_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(SCRIBBIT_E2E_SOURCES)
    add_executable(scribbit_e2e ${SCRIBBIT_E2E_SOURCES})
    target_compile_definitions(scribbit_e2e PRIVATE ${SCRIBBIT_WIN_DEFINES})
    target_compile_options(scribbit_e2e PRIVATE ${SCRIBBIT_WARNINGS})
    target_include_directories(scribbit_e2e PRIVATE src tests resources)
    target_link_options(scribbit_e2e PRIVATE -municode -static -static-libgcc -static-libstdc++)
    # The driver shares only headers (command identifiers) with the program,
    # so it builds even while the logic does not.
    target_link_libraries(scribbit_e2e PRIVATE user32 gdi32 comctl32 shell32 advapi32)
endif()

# The port adapters tested against the real system (run under Wine): every
# shell source except the entry point, with a console test runner.
file(GLOB SCRIBBIT_ADAPTER_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
if(SCRIBBIT_ADAPTER_TEST_SOURCES)
    set(SCRIBBIT_ADAPTER_SOURCES ${SCRIBBIT_WIN32_SOURCES})
    list(FILTER SCRIBBIT_ADAPTER_SOURCES EXCLUDE REGEX "/win_main\\.cpp$")
    add_executable(scribbit_adapter_tests ${SCRIBBIT_ADAPTER_TEST_SOURCES} ${SCRIBBIT_ADAPTER_SOURCES})
    target_compile_definitions(scribbit_adapter_tests PRIVATE ${SCRIBBIT_WIN_DEFINES})
    target_compile_options(scribbit_adapter_tests PRIVATE ${SCRIBBIT_WARNINGS})
    target_include_directories(scribbit_adapter_tests PRIVATE src resources tests)
    target_link_options(scribbit_adapter_tests PRIVATE -municode -static -static-libgcc -static-libstdc++)
    target_link_libraries(scribbit_adapter_tests PRIVATE scribbit_logic
        comctl32 comdlg32 shell32 gdi32 user32 winspool advapi32 ole32 uuid)
endif()

include(cmake/mingw_googletest.cmake)
