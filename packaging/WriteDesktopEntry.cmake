# Run by `cmake --install`: writes the desktop entry with the installed
# program's absolute path, so the entry starts it whether or not the prefix's
# bin folder is on PATH. Expects TOVREL_DESKTOP_TEMPLATE, TOVREL_DESKTOP_FILE
# and TOVREL_BINDIR; CMAKE_INSTALL_PREFIX is the prefix being installed to.
if(IS_ABSOLUTE "${TOVREL_BINDIR}")
  set(exec "${TOVREL_BINDIR}/tovrel")
else()
  set(exec "${CMAKE_INSTALL_PREFIX}/${TOVREL_BINDIR}/tovrel")
endif()
# One quoted Exec argument: inside the quotes \ " ` $ take a backslash and %
# is doubled; then, as in every string value, each backslash is escaped again.
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
set(TOVREL_DESKTOP_EXEC "\"${exec}\"")
configure_file("${TOVREL_DESKTOP_TEMPLATE}" "${TOVREL_DESKTOP_FILE}" @ONLY)
