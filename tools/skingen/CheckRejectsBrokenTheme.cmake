# A theme that lacks a colour must stop skingen with a message naming the key,
# and write no skin.
file(REMOVE_RECURSE "${WORK_DIR}")
file(READ "${THEME}" text)
string(REGEX REPLACE "\nface=[^\n]*" "" text "${text}")
file(WRITE "${WORK_DIR}/broken.theme" "${text}")
execute_process(COMMAND "${SKINGEN}" "${WORK_DIR}/broken.theme" "${WORK_DIR}/broken.skn"
                RESULT_VARIABLE result ERROR_VARIABLE message)
if(result EQUAL 0 OR EXISTS "${WORK_DIR}/broken.skn")
  message(FATAL_ERROR "skingen accepted a theme without a face colour")
endif()
if(NOT message MATCHES "face is missing")
  message(FATAL_ERROR "skingen did not name the missing key: ${message}")
endif()
