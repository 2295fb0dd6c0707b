# One test program per test folder: every *.cpp of tests/<dir>.
function(instruments_tests name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${name} PRIVATE
        INSTRUMENTS_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        INSTRUMENTS_BIN_DIR="${PROJECT_BINARY_DIR}/bin"
        INSTRUMENTS_BUILD_DIR="${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
