# sw_add_test(<name> SOURCES <files...> LIBS <targets...> [WIDGETS])
#
# One test executable per area. Every GoogleTest case becomes a ctest test that
# runs with the offscreen Qt platform; GTEST_SKIP() shows as a ctest skip.
# WIDGETS gives the test a QApplication instead of a QGuiApplication.
function(sw_add_test name)
    cmake_parse_arguments(T "WIDGETS" "" "SOURCES;LIBS" ${ARGN})
    if(T_WIDGETS)
        set(main ${PROJECT_SOURCE_DIR}/tests/support/widgets_test_main.cpp)
        set(precompiled ${PROJECT_SOURCE_DIR}/cmake/precompiled/widget_tests.h)
    else()
        set(main ${PROJECT_SOURCE_DIR}/tests/support/gui_test_main.cpp)
        set(precompiled ${PROJECT_SOURCE_DIR}/cmake/precompiled/tests.h)
    endif()
    add_executable(${name} ${T_SOURCES} ${main})
    target_precompile_headers(${name} PRIVATE ${precompiled})
    # The tests' own code is built for a short build, not for speed: the
    # libraries under test keep the flags of the program users get. (The
    # sanitized Debug tree keeps its own flags and line tables.)
    target_compile_options(${name} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O1 -g0>)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        SW_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        SW_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Qt6::Test)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        NO_PRETTY_TYPES NO_PRETTY_VALUES
        DISCOVERY_TIMEOUT 60
        PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
            SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endfunction()
