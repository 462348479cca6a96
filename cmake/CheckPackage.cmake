# Makes the Debian package with scripts/package.sh and checks it as the distribution would: its
# files, the libraries it depends on, lintian, desktop-file-validate, appstreamcli and
# update-mime-database. Run by `scripts/test.sh --all` (label "package").
#   cmake -DROOT=<repo> -DWORK=<folder> -DAPPSTREAM_ID=<id> -P CheckPackage.cmake
function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed (${result}):\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

run("scripts/package.sh" "${ROOT}/scripts/package.sh")
string(STRIP "${out}" deb)
string(REGEX REPLACE ".*\n" "" deb "${deb}")
if(NOT deb MATCHES "/orb_[0-9.]+_[a-z0-9]+\\.deb$" OR NOT EXISTS "${deb}")
    message(FATAL_ERROR "scripts/package.sh did not print the package's path: \"${deb}\"")
endif()

# Every file the package installs, and nothing else.
run("dpkg-deb --contents" dpkg-deb --contents "${deb}")
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" files "${out}")
string(REPLACE "\n" "" files "${files}")
list(SORT files)
set(expected
    ./usr/bin/orb
    ./usr/share/applications/orb.desktop
    ./usr/share/bash-completion/completions/orb
    ./usr/share/doc/orb/changelog.gz
    ./usr/share/doc/orb/copyright
    ./usr/share/icons/hicolor/scalable/apps/orb.svg
    ./usr/share/man/man1/orb.1.gz
    ./usr/share/metainfo/${APPSTREAM_ID}.metainfo.xml
    ./usr/share/mime/packages/orb.xml)
if(NOT files STREQUAL expected)
    message(FATAL_ERROR "The package holds:\n${files}\nexpected:\n${expected}")
endif()

# The libraries, as dpkg-shlibdeps read them from the program.
run("dpkg-deb --field" dpkg-deb --field "${deb}" Depends)
foreach(library libc6 libstdc\\+\\+6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6
                libsqlite3-0)
    if(NOT out MATCHES "(^|, )${library}( \\(>= [^)]+\\))?(,|\n)")
        message(FATAL_ERROR "The package does not depend on ${library}: ${out}")
    endif()
endforeach()
if(out MATCHES "gtest|gmock|-dev")
    message(FATAL_ERROR "The package depends on what only the build needs: ${out}")
endif()

run("lintian" lintian --fail-on error,warning "${deb}")
if(out MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian:\n${out}")
endif()

file(REMOVE_RECURSE "${WORK}")
run("dpkg-deb --extract" dpkg-deb --extract "${deb}" "${WORK}")
run("desktop-file-validate" desktop-file-validate "${WORK}/usr/share/applications/orb.desktop")
if(NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
run("appstreamcli validate" appstreamcli validate --no-net
    "${WORK}/usr/share/metainfo/${APPSTREAM_ID}.metainfo.xml")
file(MAKE_DIRECTORY "${WORK}/mime/packages")
file(COPY "${WORK}/usr/share/mime/packages/orb.xml" DESTINATION "${WORK}/mime/packages")
# In the data search path, or update-mime-database warns that nothing would find the database.
set(ENV{XDG_DATA_HOME} "${WORK}")
run("update-mime-database" update-mime-database "${WORK}/mime")
if(NOT err STREQUAL "")
    message(FATAL_ERROR "update-mime-database: ${err}")
endif()
# The distribution's reader of the MIME database (GIO) tells a bank from a TeX style of the
# same extension by its first bytes, and knows the other two types by name.
file(WRITE "${WORK}/files/article.sty" "% article.sty\n\\NeedsTeXFormat{LaTeX2e}\n")
file(WRITE "${WORK}/files/plain.sty" "\\ProvidesPackage{plain}\n")
file(WRITE "${WORK}/files/Beat.SSF" "SSF")
file(WRITE "${WORK}/files/Monday.ODD" "ORB")
# A bank's 28-byte header: 01 00 01 14, the size less 8, 02 00 00 18, 12, 0B, zeros, "KORF", 00.
execute_process(COMMAND printf "\\001\\000\\001\\024\\000\\000\\000\\024\\002\\000\\000\\030\\000\\000\\000\\014\\013\\000\\000\\000\\000\\000\\000KORF\\000"
                OUTPUT_FILE "${WORK}/files/USER01.STY" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The bank file for the MIME check could not be written.")
endif()
foreach(case "article.sty=text/x-tex" "plain.sty=text/x-tex"
             "USER01.STY=application/x-korg-pa-style-bank" "Beat.SSF=application/x-orb-single-style"
             "Monday.ODD=application/x-orb-backup")
    string(REGEX MATCH "^[^=]+" name "${case}")
    string(REGEX REPLACE "^[^=]+=" "" type "${case}")
    set(ENV{XDG_DATA_HOME} "${WORK}")
    run("gio info" gio info -a standard::content-type "${WORK}/files/${name}")
    if(NOT out MATCHES "standard::content-type: ${type}\n")
        message(FATAL_ERROR "${name} is not ${type}: ${out}")
    endif()
endforeach()
run("bash -n on the completion" bash -n "${WORK}/usr/share/bash-completion/completions/orb")
file(REMOVE_RECURSE "${WORK}")
message(STATUS "${deb}: its files, dependencies and the distribution's checkers are right.")
