# cmake -DLUPDATE=... -DINCLUDE=... -DTS=... -DSOURCES=a|b|... -DSTAMP=... -P CheckTranslations.cmake
#
# Fails when the sources hold a text the catalogue TS has no finished
# translation of, or when TS still translates a text the sources no longer
# have. The catalogue itself is left alone: lupdate works on a copy.
string(REPLACE "|" ";" SOURCES "${SOURCES}")
get_filename_component(name "${TS}" NAME)
set(copy "${STAMP}.${name}")
file(COPY_FILE "${TS}" "${copy}")
# INCLUDE lets lupdate read the classes' namespaces, which their contexts name.
execute_process(COMMAND "${LUPDATE}" -I "${INCLUDE}" -locations none ${SOURCES} -ts "${copy}"
                RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed)
    message(FATAL_ERROR "lupdate failed on ${TS}:\n${said}")
endif()
file(READ "${copy}" updated)
string(REGEX MATCHALL "type=\"(unfinished|vanished|obsolete)\"" marks "${updated}")
list(LENGTH marks count)
if(count GREATER 0)
    # Semicolons would split the list of entries.
    string(REPLACE "&amp;" "&" printable "${updated}")
    string(REPLACE ";" "," printable "${printable}")
    string(REGEX MATCHALL "<source>[^<]*</source>\n *<translation type=\"(unfinished|vanished|obsolete)\""
           entries "${printable}")
    string(REPLACE ";" "\n" entries "${entries}")
    message(FATAL_ERROR "${TS}: ${count} unfinished or obsolete texts; "
                        "run `cmake --build build --target update_translations` and translate them:\n${entries}")
endif()
file(TOUCH "${STAMP}")
