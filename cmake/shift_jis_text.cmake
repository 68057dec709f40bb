# Writes a UTF-8 text file as the program's users read it: Shift-JIS (code
# page 932) with CR LF line ends.
# With -DVERSION=..., "@SCRIBBIT_VERSION_TEXT@" in the text becomes it.
#   cmake -DICONV=... -DINPUT=... -DOUTPUT=... [-DVERSION=...] -P shift_jis_text.cmake
file(READ "${INPUT}" text)
if(DEFINED VERSION)
    string(REPLACE "@SCRIBBIT_VERSION_TEXT@" "${VERSION}" text "${text}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}.utf8" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${OUTPUT}.utf8"
    OUTPUT_FILE "${OUTPUT}.tmp" RESULT_VARIABLE failed)
file(REMOVE "${OUTPUT}.utf8")
if(failed)
    file(REMOVE "${OUTPUT}.tmp")
    message(FATAL_ERROR "${INPUT} holds text that Shift-JIS cannot represent")
endif()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
