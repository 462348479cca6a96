# One helper registers every test executable, so labels, time limits and the
# headless platform are set the same way everywhere.
#
#   orb_add_test(NAME app_logic KIND logic SOURCES a_test.cpp b_test.cpp)
#   orb_add_test(NAME app_windows KIND window SOURCES app_windows_test.cpp)
#
# Logic tests link only the logic library; window tests also link the windows
# and get a QApplication from their own main().
include(GoogleTest)

function(orb_add_test)
    cmake_parse_arguments(ARG "" "NAME;KIND;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_KIND MATCHES "^(logic|window)$")
        message(FATAL_ERROR "orb_add_test(${ARG_NAME}): KIND must be logic or window")
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE orb_test_support GTest::gtest GTest::gmock ${ARG_LIBS})
    if(ARG_KIND STREQUAL "window")
        target_link_libraries(${ARG_NAME} PRIVATE orb_windows orb_window_test_main Qt6::Test)
    else()
        target_link_libraries(${ARG_NAME} PRIVATE GTest::gtest_main)
    endif()
    gtest_discover_tests(${ARG_NAME}
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE PRE_TEST
        PROPERTIES
            LABELS "${ARG_KIND}"
            TIMEOUT ${ARG_TIMEOUT}
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
