# Native test suites (GoogleTest through CTest) and the benchmarks.
enable_testing()
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

include(cmake/test_support.cmake)

# One program per suite; the contract suite runs the port contracts against
# the doubles (the Windows build runs them against the real adapters).
include(GoogleTest)
foreach(suite app editing view toolbar printing help contract)
    file(GLOB suite_sources CONFIGURE_DEPENDS tests/${suite}/*_test.cpp tests/${suite}/*_contract.cpp)
    add_executable(${suite}_tests ${suite_sources})
    target_link_libraries(${suite}_tests PRIVATE scribbit_test_support GTest::gtest_main Threads::Threads)
    target_compile_options(${suite}_tests PRIVATE ${SCRIBBIT_WARNINGS})
    gtest_discover_tests(${suite}_tests DISCOVERY_TIMEOUT 60)
endforeach()
# The toolbar suite checks the bitmap the program is built with.
target_compile_definitions(toolbar_tests PRIVATE
    SCRIBBIT_TOOLBAR_BITMAP="${PROJECT_SOURCE_DIR}/resources/toolbar_icons.bmp")

file(GLOB SCRIBBIT_BENCH_SOURCES CONFIGURE_DEPENDS bench/*_bench.cpp)
foreach(bench_source ${SCRIBBIT_BENCH_SOURCES})
    get_filename_component(bench_name ${bench_source} NAME_WE)
    add_executable(${bench_name} ${bench_source})
    target_link_libraries(${bench_name} PRIVATE scribbit_test_support)
    target_compile_options(${bench_name} PRIVATE ${SCRIBBIT_WARNINGS})
endforeach()
