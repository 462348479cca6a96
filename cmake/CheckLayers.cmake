# Fails when a source file includes from a layer above its own, so that the layers keep pointing
# one way: core <- db <- state <- stylefiles, backup <- catalogue, songs, app <- cli, widgets (the
# widget kit) <- windows. A view (a subsystem's windows/ folder) includes the logic, the widget
# kit, its own subsystem's views, and of another subsystem only the windows it opens, as listed
# below; no view includes the top windows in app/windows, which open the others.
#   cmake -DSOURCE_DIR=<repo>/src -P CheckLayers.cmake
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
set(level_core 0)
set(level_db 1)
set(level_state 2)
set(level_stylefiles 3)
set(level_backup 3)
set(level_catalogue 4)  # builds on the bank files (stylefiles)
set(level_songs 4)  # beside the catalogue: builds on the bank files
set(level_app 4)
set(level_cli 5)
set(level_widgets 5)
set(level_windows 6)

# The views whose windows (the headers named *_window.h) the views of a subsystem open.
set(opens_app "backup/windows;catalogue/windows;songs/windows")
set(opens_catalogue "songs/windows;stylefiles/windows")

# The layer of a path below src/: the views in <subsystem>/windows sit on top of all logic.
function(layer_of relative out_folder out_level)
    string(REGEX MATCH "^[^/]+" folder "${relative}")
    if(relative MATCHES "^[^/]+/windows/")
        set(level ${level_windows})
        set(folder "${folder}/windows")
    elseif(DEFINED level_${folder})
        set(level ${level_${folder}})
    else()
        set(level 99)
    endif()
    set(${out_folder} "${folder}" PARENT_SCOPE)
    set(${out_level} ${level} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*/*.h" "${SOURCE_DIR}/*/*.cpp")
set(violations "")
foreach(source IN LISTS sources)
    layer_of("${source}" folder level)
    if(level EQUAL 99)
        string(APPEND violations "\n  ${source}: the folder has no layer in CheckLayers.cmake")
        continue()
    endif()
    string(REGEX MATCH "^[^/]+" subsystem "${source}")
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^#include \"[^\"]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
        if(NOT included MATCHES "/")
            continue()  # generated or system-relative headers
        endif()
        layer_of("${included}" included_folder included_level)
        if(included_folder STREQUAL folder)
            continue()
        endif()
        if(folder MATCHES "/windows$" AND included_folder MATCHES "/windows$")
            set(opened "${opens_${subsystem}}")
            if(NOT included_folder IN_LIST opened OR NOT included MATCHES "_window\\.h$")
                string(APPEND violations
                       "\n  ${source} includes ${included}, a view of another subsystem that it "
                       "does not open")
            endif()
            continue()
        endif()
        if(NOT included_level LESS level)
            string(APPEND violations "\n  ${source} includes ${included}")
        endif()
    endforeach()
endforeach()

if(violations)
    message(FATAL_ERROR "Includes that point up or sideways:${violations}")
endif()
message(STATUS "Every include points down the layers (${CMAKE_CURRENT_LIST_FILE}).")
