# Writes the desktop entry at install time, when the prefix is known, naming
# the installed program by its full path. Run from the install rules with
# VELMORA_BINDIR, VELMORA_DESKTOP_IN, VELMORA_DESKTOP_OUT and VELMORA_APPLICATIONS.
set(VELMORA_EXEC "${CMAKE_INSTALL_PREFIX}/${VELMORA_BINDIR}/velmora")
# A path with a space or another reserved character is quoted, with its
# quotes, backquotes, dollars and backslashes escaped; a percent sign is doubled.
if(VELMORA_EXEC MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" VELMORA_EXEC "${VELMORA_EXEC}")
  set(VELMORA_EXEC "\"${VELMORA_EXEC}\"")
endif()
string(REPLACE "%" "%%" VELMORA_EXEC "${VELMORA_EXEC}")
# The entry's own string rules then double every backslash.
string(REPLACE "\\" "\\\\" VELMORA_EXEC "${VELMORA_EXEC}")
configure_file(${VELMORA_DESKTOP_IN} ${VELMORA_DESKTOP_OUT} @ONLY)
file(INSTALL ${VELMORA_DESKTOP_OUT} DESTINATION "${CMAKE_INSTALL_PREFIX}/${VELMORA_APPLICATIONS}")
