# Headless tests of the Win32 stand-in and of the program's shell and painter running on it.
# Included from the tests directory on every build that is not for Windows.
if(NOT TARGET win32_compat)
    return()
endif()
find_package(GTest REQUIRED)
include(GoogleTest)

set(OVENBELL_LINUX_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/shell)

function(ovenbell_linux_test name)
    add_executable(${name} ${ARGN})
    target_compile_options(${name} PRIVATE ${OVENBELL_WARNINGS})
    target_include_directories(${name} PRIVATE ${OVENBELL_LINUX_TESTS_DIR})
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS linux_headless
        ENVIRONMENT "LSAN_OPTIONS=suppressions=${OVENBELL_LINUX_TESTS_DIR}/lsan_suppressions.txt:print_suppressions=0")
endfunction()

ovenbell_linux_test(standin_tests
    ${OVENBELL_LINUX_TESTS_DIR}/standin_queue_test.cpp
    ${OVENBELL_LINUX_TESTS_DIR}/standin_gdi_test.cpp
    ${OVENBELL_LINUX_TESTS_DIR}/standin_misc_test.cpp)
target_link_libraries(standin_tests PRIVATE win32_compat)
# The command-line rebuilding is private to the stand-in; the test compiles it in directly.
target_sources(standin_tests PRIVATE ${OVENBELL_COMPAT_DIR}/linux/command_line.cpp)
target_include_directories(standin_tests PRIVATE ${OVENBELL_COMPAT_DIR}/linux)

if(TARGET ovenbell_program)
    ovenbell_linux_test(shell_tests
        ${OVENBELL_LINUX_TESTS_DIR}/shell_dispatch_test.cpp
        ${OVENBELL_LINUX_TESTS_DIR}/shell_startup_test.cpp
        ${OVENBELL_LINUX_TESTS_DIR}/shell_alert_test.cpp
        ${OVENBELL_LINUX_TESTS_DIR}/face_painter_test.cpp)
    target_link_libraries(shell_tests PRIVATE ovenbell_program)

    # Not a test: prints what a running second costs, painted headless.
    add_executable(frame_bench ${CMAKE_CURRENT_LIST_DIR}/bench/frame_bench.cpp)
    target_compile_options(frame_bench PRIVATE ${OVENBELL_WARNINGS})
    target_include_directories(frame_bench PRIVATE ${OVENBELL_LINUX_TESTS_DIR})
    target_link_libraries(frame_bench PRIVATE ovenbell_program)
endif()
