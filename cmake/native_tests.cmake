# Native test suites (GoogleTest through CTest) and the benchmarks.
enable_testing()
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

file(GLOB SCRIBBIT_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(scribbit_test_support STATIC ${SCRIBBIT_TEST_SUPPORT})
target_include_directories(scribbit_test_support PUBLIC tests src)
target_link_libraries(scribbit_test_support PUBLIC scribbit_logic GTest::gtest)
target_compile_options(scribbit_test_support PRIVATE ${SCRIBBIT_WARNINGS})

include(GoogleTest)
foreach(suite app editing view toolbar printing help support)
    file(GLOB suite_sources CONFIGURE_DEPENDS tests/${suite}/*_test.cpp)
    if(suite_sources)
        add_executable(${suite}_tests ${suite_sources})
        target_link_libraries(${suite}_tests PRIVATE scribbit_test_support GTest::gtest_main Threads::Threads)
        target_compile_options(${suite}_tests PRIVATE ${SCRIBBIT_WARNINGS})
        gtest_discover_tests(${suite}_tests DISCOVERY_TIMEOUT 60)
    endif()
endforeach()
# The toolbar suite checks the bitmap the program is built with.
target_compile_definitions(toolbar_tests PRIVATE
    SCRIBBIT_TOOLBAR_BITMAP="${PROJECT_SOURCE_DIR}/resources/toolbar_icons.bmp")

# The port contracts against the doubles; the Windows build runs the same
# checks against the real adapters.
file(GLOB SCRIBBIT_CONTRACT_SOURCES CONFIGURE_DEPENDS tests/contract/*.cpp)
add_executable(contract_tests ${SCRIBBIT_CONTRACT_SOURCES})
target_link_libraries(contract_tests PRIVATE scribbit_test_support GTest::gtest_main)
target_compile_options(contract_tests PRIVATE ${SCRIBBIT_WARNINGS})
gtest_discover_tests(contract_tests DISCOVERY_TIMEOUT 60)

file(GLOB SCRIBBIT_BENCH_SOURCES CONFIGURE_DEPENDS bench/*_bench.cpp)
foreach(bench_source ${SCRIBBIT_BENCH_SOURCES})
    get_filename_component(bench_name ${bench_source} NAME_WE)
    add_executable(${bench_name} ${bench_source})
    target_link_libraries(${bench_name} PRIVATE scribbit_test_support)
    target_compile_options(${bench_name} PRIVATE ${SCRIBBIT_WARNINGS})
endforeach()
