include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
    # GoogleTest for the target is built from Debian's sources.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()

# kelvane_add_test(<name> [QT] [SERIAL] SOURCES ... [LIBS ...] [ENVIRONMENT VAR=value ...])
# One test executable per area; each GoogleTest case becomes a CTest test of its own. QT gives the
# tests a Qt application object for their whole run. SERIAL runs each case alone, never beside another
# test: for cases that share the X display and its tray, and that wait on real processes.
function(kelvane_add_test name)
    cmake_parse_arguments(ARG "QT;SERIAL" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_QT)
        target_link_libraries(${name} PRIVATE kelvane_qt_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE kelvane_test_support GTest::gmock kelvane_warnings ${ARG_LIBS})
    if(CMAKE_CROSSCOMPILING)
        # Each start of a Windows program under Wine costs a good part of a second: one CTest test per
        # executable, not per case.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "WINEDEBUG=-all;${ARG_ENVIRONMENT}")
    else()
        # An empty ENVIRONMENT would swallow the property after it: set only what is given.
        set(properties)
        if(ARG_ENVIRONMENT)
            list(APPEND properties ENVIRONMENT "${ARG_ENVIRONMENT}")
        endif()
        if(ARG_SERIAL)
            list(APPEND properties RUN_SERIAL TRUE)
        endif()
        gtest_discover_tests(${name}
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 60
            PROPERTIES ${properties})
    endif()
endfunction()
