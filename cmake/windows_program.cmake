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
