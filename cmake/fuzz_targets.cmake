# The libFuzzer targets of tests/fuzz, each run by CTest for a bounded time
# on its seed corpus (tests/fuzz/corpus/<target>): SCRIBBIT_FUZZ_SECONDS
# seconds each, 25 unless set. New inputs go to the build folder, never into
# the committed corpus; a failing input is kept as <build>/fuzz-artifacts/<target>-crash-*.
enable_testing()
find_package(GTest REQUIRED)

include(cmake/test_support.cmake)

file(GLOB SCRIBBIT_FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
foreach(source ${SCRIBBIT_FUZZ_SOURCES})
    get_filename_component(target ${source} NAME_WE)
    add_executable(${target} ${source})
    target_link_libraries(${target} PRIVATE scribbit_test_support)
    target_compile_options(${target} PRIVATE ${SCRIBBIT_WARNINGS})
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${target})
    set(artifacts ${CMAKE_BINARY_DIR}/fuzz-artifacts)
    file(MAKE_DIRECTORY ${work} ${artifacts})
    # A slow input is a finding as well: -timeout fails any that takes 10 s.
    add_test(NAME ${target}
             COMMAND sh -c "exec \"$0\" -max_total_time=\${SCRIBBIT_FUZZ_SECONDS:-25} -timeout=10 -print_final_stats=1 \
-artifact_prefix=\"$1/${target}-\" \"$2\" \"$3\""
                     $<TARGET_FILE:${target}> ${artifacts} ${work} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target})
    # libFuzzer ends the run itself; no CTest limit may cut a longer one short.
    set_tests_properties(${target} PROPERTIES TIMEOUT 86400)
endforeach()
