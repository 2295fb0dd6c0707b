# One static library per source folder and one test program per test folder.
# Sources are globbed so that adding a file needs no edit here.
include(GoogleTest)

function(instruments_library name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
        target_link_libraries(${name} PUBLIC ${ARGN})
    else()
        # A folder with headers only (or none yet) still gives a target to link.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
        target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
endfunction()

function(instruments_tests name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        INSTRUMENTS_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        INSTRUMENTS_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
        INSTRUMENTS_BUILD_DIR="${CMAKE_BINARY_DIR}")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
