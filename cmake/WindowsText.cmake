# cmake -DGROFF=... -DPAGE=page.1 -DTEXT=page.txt -P WindowsText.cmake
# renders a manual page as plain text with CR LF line ends.
execute_process(COMMAND ${GROFF} -man -Tutf8 -P-cbou -rHY=0 ${PAGE} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${TEXT} "${text}")
