# The test sessions under Wine: each is one virtual X display, one private Wine prefix and one
# persistent Wine server, started by a CTest fixture and always torn down. A build tree has up
# to four, so that tests which share nothing run side by side: the in-process test programs,
# the saver's black-box scenarios, the dialogs' scenarios beside the one that sleeps through
# real-time intervals, and (64-bit tree) the stand-in for the 32-bit tree as Windows 98.
# Within a session the tests run one at a time (they share its desktop, taskbar and registry).
# See tests/harness/README.md.
set(TAVRIN_HARNESS_SCRIPTS ${CMAKE_CURRENT_LIST_DIR})

# The probe reports windows and system state as JSON; the session also runs it as the
# keep-alive program. It is built on its own, without the program's code.
add_executable(tavrin_probe ${TAVRIN_HARNESS_SCRIPTS}/probe/probe.cpp)
target_link_libraries(tavrin_probe PRIVATE gdi32 user32 advapi32 kernel32)
target_link_options(tavrin_probe PRIVATE -static)

# tavrin_wine_session(name): the fixture that starts and stops a session, made once, when the
# first test needs it. Each has its own display, offset from the tree's number (each tree has
# its own), and shares the tree's prefix template, made once.
set(display_offset_blackbox 0)
set(display_offset_inprocess 10)
set(display_offset_dialogs 20)
# The 64-bit tree's stand-in for the 32-bit one on a machine that runs no 32-bit programs: its
# prefix reports Windows 98, so what the 95 family does differently is still met.
set(display_offset_windows98 30)
set(session_env_windows98 "TAVRIN_SESSION_VERSION=win98;TAVRIN_STAND_IN_32BIT=1")
function(tavrin_wine_session session)
    get_property(made GLOBAL PROPERTY tavrin_session_${session})
    if(made)
        return()
    endif()
    set_property(GLOBAL PROPERTY tavrin_session_${session} TRUE)
    math(EXPR display "${TAVRIN_TEST_DISPLAY} + ${display_offset_${session}}")
    add_test(NAME harness.start.${session} COMMAND ${TAVRIN_HARNESS_SCRIPTS}/session start)
    add_test(NAME harness.stop.${session} COMMAND ${TAVRIN_HARNESS_SCRIPTS}/session stop)
    set_tests_properties(harness.start.${session} PROPERTIES FIXTURES_SETUP wine_${session} TIMEOUT 300)
    set_tests_properties(harness.stop.${session} PROPERTIES FIXTURES_CLEANUP wine_${session} TIMEOUT 60)
    set(env "TAVRIN_HARNESS=${CMAKE_BINARY_DIR}/harness/${session}"
        "TAVRIN_TEMPLATE=${CMAKE_BINARY_DIR}/harness/template-${TAVRIN_WINEARCH}"
        "TAVRIN_WINEARCH=${TAVRIN_WINEARCH}" "TAVRIN_TEST_DISPLAY=${display}"
        "TAVRIN_PROBE=$<TARGET_FILE:tavrin_probe>" ${session_env_${session}})
    set_tests_properties(harness.start.${session} harness.stop.${session} PROPERTIES
        RESOURCE_LOCK wine_${session} ENVIRONMENT "${env}")
endfunction()

# tavrin_add_wine_test(NAME name COMMAND program [args...] [TIMEOUT seconds] [SESSION session]):
# a test that runs inside a session: by default "inprocess" for the test programs (wine.*,
# windows95.*), "blackbox" for the scenarios. A Windows program as COMMAND runs through the
# emulator (tests/harness/wine-run); a script finds the session through TAVRIN_HARNESS. Exit
# code 77 means the session cannot run on this machine: the test is skipped and says why.
# Limits are four times the longest time measured on a 2-core machine under load, or more.
function(tavrin_add_wine_test)
    cmake_parse_arguments(arg "" "NAME;TIMEOUT;SESSION" "COMMAND" ${ARGN})
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 240)
    endif()
    if(NOT arg_SESSION)
        if(arg_NAME MATCHES "^blackbox\\.")
            set(arg_SESSION blackbox)
        else()
            set(arg_SESSION inprocess)
        endif()
    endif()
    tavrin_wine_session(${arg_SESSION})
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND})
    set_tests_properties(${arg_NAME} PROPERTIES
        FIXTURES_REQUIRED wine_${arg_SESSION}
        RESOURCE_LOCK wine_${arg_SESSION}
        TIMEOUT ${arg_TIMEOUT}
        SKIP_RETURN_CODE 77
        ENVIRONMENT "TAVRIN_HARNESS=${CMAKE_BINARY_DIR}/harness/${arg_SESSION};TAVRIN_BUILD_DIR=${CMAKE_BINARY_DIR};TAVRIN_SCR=$<TARGET_FILE:Tavrin>")
endfunction()
