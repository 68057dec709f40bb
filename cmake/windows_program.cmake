# The Win32 program, its Windows test programs and the Wine benchmark driver,
# cross-compiled with MinGW-w64.
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
# The resource script finds the configured manifest and version header in
# the build tree. windres reports no included files to the build, so the
# files it pulls in are named here.
configure_file(resources/scribbit.manifest.in "${SCRIBBIT_GENERATED_DIR}/scribbit.manifest" @ONLY)
target_include_directories(scribbit PRIVATE src resources "${SCRIBBIT_GENERATED_DIR}")
set(SCRIBBIT_RC_INPUTS
    "${PROJECT_SOURCE_DIR}/resources/app.ico" "${PROJECT_SOURCE_DIR}/resources/toolbar_icons.bmp"
    "${PROJECT_SOURCE_DIR}/resources/resource_ids.h" "${SCRIBBIT_GENERATED_DIR}/scribbit_version.h"
    "${SCRIBBIT_GENERATED_DIR}/scribbit.manifest")
set_source_files_properties(resources/scribbit.rc PROPERTIES OBJECT_DEPENDS "${SCRIBBIT_RC_INPUTS}")
# Statically linked: the program needs nothing beyond the DLLs every Windows has.
# No link time in the PE header, so that two builds of one commit are the same
# bytes (the release archive is reproducible).
target_link_options(scribbit PRIVATE -municode -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
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

# The probes that start the program and drive its windows, shared by the
# end-to-end driver and the Wine benchmark driver. They share only headers
# (command and control identifiers) with the program, so they build even
# while the logic does not.
file(GLOB SCRIBBIT_PROBE_SOURCES CONFIGURE_DEPENDS tests/e2e/probe*.cpp)
add_library(scribbit_probe STATIC ${SCRIBBIT_PROBE_SOURCES})
target_compile_definitions(scribbit_probe PUBLIC ${SCRIBBIT_WIN_DEFINES})
target_compile_options(scribbit_probe PRIVATE ${SCRIBBIT_WARNINGS})
target_include_directories(scribbit_probe PUBLIC src tests resources)
target_link_libraries(scribbit_probe PUBLIC user32 gdi32 comctl32 shell32 advapi32)

file(GLOB SCRIBBIT_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
list(FILTER SCRIBBIT_E2E_SOURCES EXCLUDE REGEX "/probe[^/]*\\.cpp$")
add_executable(scribbit_e2e ${SCRIBBIT_E2E_SOURCES})
target_compile_options(scribbit_e2e PRIVATE ${SCRIBBIT_WARNINGS})
target_link_options(scribbit_e2e PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(scribbit_e2e PRIVATE scribbit_probe gtest)

# The Wine benchmark driver (bench/*-wine.sh).
file(GLOB SCRIBBIT_WINE_BENCH_SOURCES CONFIGURE_DEPENDS bench/wine/*.cpp)
add_executable(scribbit_bench ${SCRIBBIT_WINE_BENCH_SOURCES})
target_compile_options(scribbit_bench PRIVATE ${SCRIBBIT_WARNINGS})
target_link_options(scribbit_bench PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(scribbit_bench PRIVATE scribbit_probe)

# The print job benchmark (bench/print-wine.sh): the job code and the
# printer adapter of the program, without its windows.
add_executable(scribbit_print_bench bench/print/print_job_bench.cpp src/win32/printer_win32.cpp
    src/win32/modeless_dialogs_win32.cpp src/win32/system_error_win32.cpp src/win32/wide_text_win32.cpp)
target_compile_definitions(scribbit_print_bench PRIVATE ${SCRIBBIT_WIN_DEFINES})
target_compile_options(scribbit_print_bench PRIVATE ${SCRIBBIT_WARNINGS})
target_include_directories(scribbit_print_bench PRIVATE src resources)
target_link_options(scribbit_print_bench PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(scribbit_print_bench PRIVATE scribbit_logic comdlg32 gdi32 user32 winspool)

include(cmake/mingw_googletest.cmake)

# The port contracts against the real adapters (run under Wine), with the
# few adapter checks no contract and no end-to-end scenario can make: every
# shell source except the entry point, and the doubles whose tables the
# contracts compare with the system.
file(GLOB SCRIBBIT_CONTRACT_SOURCES CONFIGURE_DEPENDS tests/contract/*_contract.cpp tests/win32/*.cpp)
set(SCRIBBIT_ADAPTER_SOURCES ${SCRIBBIT_WIN32_SOURCES})
list(FILTER SCRIBBIT_ADAPTER_SOURCES EXCLUDE REGEX "/win_main\\.cpp$")
add_executable(scribbit_contract_tests ${SCRIBBIT_CONTRACT_SOURCES} ${SCRIBBIT_ADAPTER_SOURCES}
    tests/support/fake_locale.cpp tests/support/fake_text_services.cpp)
target_compile_definitions(scribbit_contract_tests PRIVATE ${SCRIBBIT_WIN_DEFINES})
target_compile_options(scribbit_contract_tests PRIVATE ${SCRIBBIT_WARNINGS})
target_include_directories(scribbit_contract_tests PRIVATE src resources tests)
target_link_options(scribbit_contract_tests PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(scribbit_contract_tests PRIVATE scribbit_logic gtest gtest_main
    comctl32 comdlg32 shell32 gdi32 user32 winspool advapi32 ole32 uuid)

include(cmake/package.cmake)
