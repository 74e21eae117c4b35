# The layers as CMake sees them: configures the project (without its tests)
# in WORK_DIR, has CMake draw the graph of its targets, and fails when a
# library reaches a target its layer may not use, directly or through others.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -DGENERATOR=... -P layer_graph.cmake
cmake_minimum_required(VERSION 3.25)

# "library: what it must not reach". qvt_link and qvt_prog use only qvt_core
# and the platform API; the emulated chip keeps its own pin decoding, so it
# needs nothing of the programmer. The trend's model sits on the device link
# it takes its values from and knows nothing of a window; nothing below it
# reaches it. The command-line tool and what it shares
# with the application run without a display. The program gets Qt Charts only
# through the trend chart's module, loaded when the window is first opened.
set(QVT_GUI_MODULES "Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Charts")
set(QVT_ABOVE_THE_API "qvt_platform_serial qvt_platform_ftdi qvt_platform_ui qvt_emulation qvt_dialogs qvt_shell")
set(RULES
    "qvt_core: Qt6::Core ${QVT_GUI_MODULES} Qt6::SerialPort qvt_platform qvt_trend_model"
    "qvt_platform: ${QVT_GUI_MODULES} ${QVT_ABOVE_THE_API} qvt_link qvt_prog qvt_trend_model"
    "qvt_platform_serial: ${QVT_GUI_MODULES}"
    "qvt_emulation: ${QVT_GUI_MODULES} qvt_link qvt_prog qvt_dialogs qvt_shell qvt_trend_model"
    "qvt_link: ${QVT_GUI_MODULES} ${QVT_ABOVE_THE_API} qvt_prog qvt_trend_model"
    "qvt_prog: ${QVT_GUI_MODULES} ${QVT_ABOVE_THE_API} qvt_link qvt_trend_model"
    "qvt_trend_model: ${QVT_GUI_MODULES} ${QVT_ABOVE_THE_API} qvt_prog qvt_compose qvt_trend"
    "qvt_devsim_core: ${QVT_GUI_MODULES}"
    "qvt_compose: ${QVT_GUI_MODULES} qvt_platform_ui qvt_dialogs qvt_shell qvt_trend"
    "qvt410-cli: ${QVT_GUI_MODULES} qvt_platform_ui qvt_dialogs qvt_shell"
    "qvt_trend: Qt6::Charts qvt_shell"
    "qvt410: Qt6::Charts"
)

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/tree -G ${GENERATOR}
            -DQVT_BUILD_TESTS=OFF --graphviz=${WORK_DIR}/graph/targets.dot
    RESULT_VARIABLE configured OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "The project does not configure:\n${log}")
endif()

# A node of the graph file is a line with its label; every edge ends in a
# comment "from -> to".
file(STRINGS ${WORK_DIR}/graph/targets.dot nodes REGEX "label = \"[^\"]+\"")
# A module (drawn as a triple octagon) is loaded at run time, never linked:
# depending on it only builds it first, so nothing is reached through it.
set(modules "")
foreach(node IN LISTS nodes)
    string(REGEX REPLACE ".*label = \"([^\"]+)\".*" "\\1" target "${node}")
    list(APPEND targets "${target}")
    if(node MATCHES "shape = tripleoctagon")
        list(APPEND modules "${target}")
    endif()
endforeach()
file(STRINGS ${WORK_DIR}/graph/targets.dot edges REGEX "// .+ -> .+$")
foreach(edge IN LISTS edges)
    string(REGEX REPLACE ".*// (.+) -> (.+)$" "\\1" from "${edge}")
    string(REGEX REPLACE ".*// (.+) -> (.+)$" "\\2" to "${edge}")
    if(to IN_LIST modules)
        continue()
    endif()
    string(MAKE_C_IDENTIFIER "${from}" key)
    list(APPEND uses_${key} "${to}")
endforeach()

set(broken "")
foreach(rule IN LISTS RULES)
    string(REGEX MATCH "^([^:]+): *(.*)$" matched "${rule}")
    set(library "${CMAKE_MATCH_1}")
    separate_arguments(forbidden UNIX_COMMAND "${CMAKE_MATCH_2}")
    if(NOT library IN_LIST targets)
        string(APPEND broken "  ${library} is not in the graph\n")
        continue()
    endif()
    # Everything the library reaches, with the way it got there.
    set(reached "")
    set(queue ${library})
    string(MAKE_C_IDENTIFIER "${library}" key)
    set(way_${key} ${library})
    while(queue)
        list(POP_FRONT queue current)
        string(MAKE_C_IDENTIFIER "${current}" key)
        foreach(next IN LISTS uses_${key})
            if(NOT next IN_LIST reached)
                list(APPEND reached ${next})
                list(APPEND queue ${next})
                string(MAKE_C_IDENTIFIER "${next}" next_key)
                set(way_${next_key} "${way_${key}} -> ${next}")
            endif()
        endforeach()
    endwhile()
    foreach(target IN LISTS forbidden)
        if(target IN_LIST reached)
            string(MAKE_C_IDENTIFIER "${target}" key)
            string(APPEND broken "  ${way_${key}}\n")
        endif()
    endforeach()
endforeach()

if(broken)
    message(FATAL_ERROR "Libraries reach what their layer may not use:\n${broken}")
endif()
message(STATUS "Every library keeps to its layer (${WORK_DIR}/graph/targets.dot)")
