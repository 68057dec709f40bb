# The doubles and fixtures under tests/support, one library for the native
# suites and the fuzz targets alike.
file(GLOB SCRIBBIT_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(scribbit_test_support STATIC ${SCRIBBIT_TEST_SUPPORT})
target_include_directories(scribbit_test_support PUBLIC tests src)
target_link_libraries(scribbit_test_support PUBLIC scribbit_logic GTest::gtest)
target_compile_options(scribbit_test_support PRIVATE ${SCRIBBIT_WARNINGS})
