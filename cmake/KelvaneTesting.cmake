include(GoogleTest)
find_package(GTest REQUIRED)

# kelvane_add_test(<name> [QT] SOURCES ... [LIBS ...] [ENVIRONMENT VAR=value ...])
# One test executable per area; each GoogleTest case becomes a CTest test of its own. QT gives the
# tests a Qt application object for their whole run.
function(kelvane_add_test name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_QT)
        target_link_libraries(${name} PRIVATE kelvane_qt_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE kelvane_test_support GTest::gmock kelvane_warnings ${ARG_LIBS})
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
