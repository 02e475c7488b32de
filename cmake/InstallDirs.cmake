# Where `cmake --install` puts things: the programs in <prefix>/games (or bin),
# the asset pack in <prefix>/share/games/velmora/Media, as Debian lays out games.
include(GNUInstallDirs)
if(VELMORA_INSTALL_TO_BIN)
  set(VELMORA_BINDIR ${CMAKE_INSTALL_BINDIR})
else()
  set(VELMORA_BINDIR games)
endif()
set(VELMORA_DATADIR ${CMAKE_INSTALL_DATADIR}/games/velmora)
# The game looks for its data relative to itself first, so an installation
# that is moved (an unpacked archive) still finds it, then where it was installed.
file(RELATIVE_PATH VELMORA_DATADIR_FROM_BINDIR ${CMAKE_INSTALL_PREFIX}/${VELMORA_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VELMORA_DATADIR})
file(RELATIVE_PATH VELMORA_PREFIX_FROM_BINDIR ${CMAKE_INSTALL_PREFIX}/${VELMORA_BINDIR}
     ${CMAKE_INSTALL_PREFIX})
set(VELMORA_INSTALLED_DATADIR ${CMAKE_INSTALL_PREFIX}/${VELMORA_DATADIR})
