# Fails when a source file outside src/db holds SQL statement text in a string literal, so that
# every statement stays in the stores of the db layer.
#   cmake -DSOURCE_DIR=<repo>/src -P CheckSqlInDb.cmake
# A literal counts as SQL when it holds a statement keyword in capitals as a whole word (SELECT,
# INSERT, UPDATE, DELETE, BEGIN, CREATE, PRAGMA), or, in any letter case, the shape of a
# statement ("insert into", "select ... from", "delete from", "update ... set", "create table",
# "pragma name", "begin immediate" ...).
set(keywords "SELECT|INSERT|UPDATE|DELETE|BEGIN|CREATE|PRAGMA")
set(shapes
    "(^|[^A-Z_])SELECT[^A-Z_].*[^A-Z_]FROM([^A-Z_]|$)"
    "(^|[^A-Z_])INSERT[ \t]+(OR[ \t]+[A-Z]+[ \t]+)?INTO[^A-Z_]"
    "(^|[^A-Z_])DELETE[ \t]+FROM[^A-Z_]"
    "(^|[^A-Z_])UPDATE[ \t]+[A-Z_0-9]+[ \t]+SET[^A-Z_]"
    "(^|[^A-Z_])CREATE[ \t]+((TEMP|TEMPORARY|UNIQUE|VIRTUAL)[ \t]+)?(TABLE|INDEX|VIEW|TRIGGER)([^A-Z_]|$)"
    "(^|[^A-Z_])PRAGMA[ \t]+[A-Z_]"
    "(^|[^A-Z_])BEGIN[ \t]+(IMMEDIATE|EXCLUSIVE|DEFERRED|TRANSACTION)([^A-Z_]|$)")

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(findings "")
foreach(source IN LISTS sources)
    if(source MATCHES "^db/")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" lines)
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        # Character literals first, so that a quote character does not open a string.
        string(REGEX REPLACE "'(\\\\.|[^'\\\\])'" "''" line "${line}")
        string(REGEX MATCHALL "\"([^\"\\\\]|\\\\.)*\"" literals "${line}")
        foreach(literal IN LISTS literals)
            string(TOUPPER "${literal}" upper)
            set(sql FALSE)
            if(literal MATCHES "(^|[^A-Za-z_])(${keywords})([^A-Za-z_]|$)")
                set(sql TRUE)
            endif()
            foreach(shape IN LISTS shapes)
                if(upper MATCHES "${shape}")
                    set(sql TRUE)
                endif()
            endforeach()
            if(sql)
                string(APPEND findings "\n  ${source}:${number}: ${literal}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(findings)
    message(FATAL_ERROR "SQL text outside src/db (move it behind a store call):${findings}")
endif()
message(STATUS "No SQL text outside src/db (${CMAKE_CURRENT_LIST_FILE}).")
