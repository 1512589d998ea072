# Helpers shared by the folder CMakeLists files.

# morvalen_sources(VAR DIR...): every .cpp below the given folders. Globbing keeps the
# folder lists free of merge conflicts; CONFIGURE_DEPENDS notices new files.
function(morvalen_sources var)
    set(all)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
        list(APPEND all ${found})
    endforeach()
    set(${var} ${all} PARENT_SCOPE)
endfunction()

# The parts every test program shares: test folder includes, fixture paths and discovery.
function(morvalen_test_setup name label)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        MORVALEN_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
        MORVALEN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        MORVALEN_BINARY_DIR="${CMAKE_BINARY_DIR}")
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS ${label} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# morvalen_test(NAME LABEL DIR LIBS...): one GoogleTest program for a test folder.
function(morvalen_test name label dir)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT srcs)
        return()
    endif()
    add_executable(${name} ${srcs})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
    morvalen_test_setup(${name} ${label})
endfunction()

# morvalen_qt_test(NAME LABEL DIR LIBS...): one GoogleTest program of Qt tests, with the shared
# main that makes the QApplication; the tests run on the offscreen platform.
function(morvalen_qt_test name label dir)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT srcs)
        return()
    endif()
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    add_executable(${name} ${srcs} ${CMAKE_SOURCE_DIR}/tests/QtTestMain.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARGN} Qt6::Widgets GTest::gtest GTest::gmock)
    morvalen_test_setup(${name} ${label})
endfunction()
