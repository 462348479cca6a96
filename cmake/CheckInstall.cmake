# Installs the build into a fresh folder and checks what a desktop needs: the program, a valid
# desktop entry, the icon in the hicolor theme, the file types, the manual page and completion.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<folder> -DAPPSTREAM_ID=<id> -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result})")
endif()
foreach(file bin/orb share/applications/orb.desktop share/icons/hicolor/scalable/apps/orb.svg
             share/mime/packages/orb.xml share/metainfo/${APPSTREAM_ID}.metainfo.xml
             share/man/man1/orb.1.gz share/bash-completion/completions/orb)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "${file} was not installed")
    endif()
endforeach()
execute_process(COMMAND "${PREFIX}/bin/orb" --version OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "^orb [0-9.]+\n$")
    message(FATAL_ERROR "the installed orb --version printed \"${version}\" (${result})")
endif()
find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${VALIDATE} "${PREFIX}/share/applications/orb.desktop"
                RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT result EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${said}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "The installed layout is complete.")
