# The test session under Wine: one virtual X display, one private Wine prefix and one
# persistent Wine server per build tree, started by a CTest fixture and always torn down.
# See tests/harness/README.md.
set(TAVRIN_HARNESS_DIR ${CMAKE_BINARY_DIR}/harness)
set(TAVRIN_HARNESS_SCRIPTS ${CMAKE_CURRENT_LIST_DIR})

# The probe reports windows and system state as JSON; the session also runs it as the
# keep-alive program. It is built on its own, without the program's code.
add_executable(tavrin_probe ${TAVRIN_HARNESS_SCRIPTS}/probe/probe.cpp)
target_link_libraries(tavrin_probe PRIVATE gdi32 user32 advapi32 kernel32)
target_link_options(tavrin_probe PRIVATE -static)

add_test(NAME harness.start COMMAND ${TAVRIN_HARNESS_SCRIPTS}/session start)
add_test(NAME harness.stop COMMAND ${TAVRIN_HARNESS_SCRIPTS}/session stop)
set_tests_properties(harness.start PROPERTIES FIXTURES_SETUP wine_session TIMEOUT 240)
set_tests_properties(harness.stop PROPERTIES FIXTURES_CLEANUP wine_session TIMEOUT 60)
set_tests_properties(harness.start harness.stop PROPERTIES
    RESOURCE_LOCK wine_display
    ENVIRONMENT "TAVRIN_HARNESS=${TAVRIN_HARNESS_DIR};TAVRIN_WINEARCH=${TAVRIN_WINEARCH};TAVRIN_TEST_DISPLAY=${TAVRIN_TEST_DISPLAY};TAVRIN_PROBE=$<TARGET_FILE:tavrin_probe>")

# tavrin_add_wine_test(NAME name COMMAND program [args...] [TIMEOUT seconds]): a test that runs
# inside the session. A Windows program as COMMAND runs through the emulator
# (tests/harness/wine-run); a script finds the session through TAVRIN_HARNESS.
function(tavrin_add_wine_test)
    cmake_parse_arguments(arg "" "NAME;TIMEOUT" "COMMAND" ${ARGN})
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 120)
    endif()
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND})
    set_tests_properties(${arg_NAME} PROPERTIES
        FIXTURES_REQUIRED wine_session
        RESOURCE_LOCK wine_display
        TIMEOUT ${arg_TIMEOUT}
        ENVIRONMENT "TAVRIN_HARNESS=${TAVRIN_HARNESS_DIR};TAVRIN_BUILD_DIR=${CMAKE_BINARY_DIR};TAVRIN_SCR=$<TARGET_FILE:Tavrin>")
endfunction()
