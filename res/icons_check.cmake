# The icons the build generates (icons.cmake) compile to exactly the resources of the .ico files
# that tools/icons/make_icons.py writes from the same grids.
#   cmake -DPYTHON=python3 -DRC=windres -DSOURCE=res -DBUILT=pictures.rc -DWORK=dir -P icons_check.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/ico" "${WORK}/built")
execute_process(COMMAND "${PYTHON}" "${SOURCE}/../tools/icons/make_icons.py" --source "${SOURCE}"
    --out "${WORK}/ico" COMMAND_ERROR_IS_FATAL ANY)
file(COPY_FILE "${BUILT}" "${WORK}/built/pictures.rc")
foreach(kind IN ITEMS ico built)
    file(WRITE "${WORK}/${kind}/all.rc" "#include \"resource_ids.h\"\n#include \"pictures.rc\"\n")
    execute_process(COMMAND "${RC}" -I "${SOURCE}" -O res -o ../${kind}.res all.rc
        WORKING_DIRECTORY "${WORK}/${kind}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/ico.res" "${WORK}/built.res"
    RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "the build's icons differ from make_icons.py's (${WORK}/ico.res, ${WORK}/built.res)")
endif()
message(STATUS "the build's icons are the same resources as make_icons.py's .ico files")
