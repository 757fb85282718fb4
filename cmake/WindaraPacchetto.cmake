# The Debian package (cpack, the package target, scripts/pacchetto): the program folder as
# cmake --install lays it out in /opt/windara, with Studi/ writable by every user, and in
# /usr/share the menu entry, the icon, the copyright and the changelog Debian asks for.
# The package's own files are the component Pacchetto, which a plain install leaves out;
# the menu entry of a plain install, in /usr/local, is the component Voce, which the package
# leaves out.
set(WINDARA_PACCHETTO_DIR ${PROJECT_SOURCE_DIR}/cmake/deb)
set(WINDARA_PACCHETTO_PREFISSO /opt/windara)
set(WINDARA_MANUTENTORE "Gli sviluppatori di Windara <sviluppatori@windara.example>"
    CACHE STRING "The Maintainer field of the Debian package")

# The menu entry starts the installed binary; the path has no blank to quote.
file(READ ${PROJECT_SOURCE_DIR}/resources/windara.desktop voce_pacchetto)
string(REPLACE "\nExec=windara\n" "\nExec=${WINDARA_PACCHETTO_PREFISSO}/windara\n" voce_pacchetto "${voce_pacchetto}")
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/pacchetto/windara.desktop CONTENT "${voce_pacchetto}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/windara.desktop
             ${PROJECT_SOURCE_DIR}/LICENSE)

# The licence in Debian's machine-readable copyright format: its text indented by one
# blank, an empty line written as a lone full stop.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licenza)
if(NOT licenza MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]*)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE: not the MIT licence with one copyright line")
endif()
set(testo " ${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " testo "${testo}")
string(REPLACE "\n \n" "\n .\n" testo "${testo}")
set(copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Windara

Files: *
Copyright: ${CMAKE_MATCH_1}
License: Expat
${testo}
")
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/pacchetto/copyright CONTENT "${copyright}")

install(FILES ${CMAKE_BINARY_DIR}/pacchetto/windara.desktop DESTINATION /usr/share/applications
        COMPONENT Pacchetto EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icona-bobine.svg DESTINATION /usr/share/icons/hicolor/scalable/apps
        RENAME windara.svg COMPONENT Pacchetto EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_BINARY_DIR}/pacchetto/copyright DESTINATION /usr/share/doc/windara
        COMPONENT Pacchetto EXCLUDE_FROM_ALL)
install(FILES ${WINDARA_PACCHETTO_DIR}/lintian-overrides DESTINATION /usr/share/lintian/overrides RENAME windara
        COMPONENT Pacchetto EXCLUDE_FROM_ALL)
install(CODE "set(WINDARA_CHANGELOG \"${WINDARA_PACCHETTO_DIR}/changelog\")" COMPONENT Pacchetto EXCLUDE_FROM_ALL)
install(CODE [[
  # Debian wants the changelog compressed at the most, without a name or a date inside.
  set(documenti "$ENV{DESTDIR}/usr/share/doc/windara")
  file(MAKE_DIRECTORY "${documenti}")
  execute_process(COMMAND gzip -9 -n -c "${WINDARA_CHANGELOG}" OUTPUT_FILE "${documenti}/changelog.gz"
                  RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "gzip ${WINDARA_CHANGELOG}: ${esito}")
  endif()
  # The package is installed by root: Studi/ is then writable by all and sticky, whoever
  # built the package (the archive keeps the mode).
  execute_process(COMMAND chmod 1777 "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/Studi" RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "chmod 1777 Studi: ${esito}")
  endif()
]] COMPONENT Pacchetto EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME windara)
set(CPACK_PACKAGE_VENDOR "Gli sviluppatori di Windara")
set(CPACK_PACKAGING_INSTALL_PREFIX ${WINDARA_PACCHETTO_PREFISSO})
# Everything a plain install lays out but its menu entry, then the package's own files.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};Windara;Unspecified;/;${CMAKE_BINARY_DIR};Windara;Pacchetto;/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${WINDARA_MANUTENTORE}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sizing of multilayer coil windings")
# The synopsis is the summary; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Windara sizes a multilayer winding of enamelled copper wire on a bobbin:
from the winding height, the radial room and the core dimension it shows
the turns per layer, the layers, the total turns, the inductance by
Wheeler's formula and the resistance, a layer-by-layer table saved as a
study report, and an analysis of the winding (exact inductance, the real
winding, a design from a target inductance, the winding at frequency).
The user interface is in Italian.")
# The shared libraries the binary and the modules link, found by dpkg-shlibdeps. Qt loads
# the catalogue's SQLite driver as a plug-in, which no tool sees in the binaries: dpkg names
# the package that holds the very plug-in this build finds.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_package(Qt6QSQLiteDriverPlugin CONFIG QUIET PATHS ${Qt6Sql_DIR} NO_DEFAULT_PATH)
set(esito 1)
if(TARGET Qt6::QSQLiteDriverPlugin)
  get_target_property(driver_sqlite Qt6::QSQLiteDriverPlugin LOCATION)
  file(REAL_PATH "${driver_sqlite}" driver_sqlite)
  execute_process(COMMAND dpkg-query -S "${driver_sqlite}" OUTPUT_VARIABLE proprietario
                  RESULT_VARIABLE esito ERROR_QUIET)
endif()
if(esito EQUAL 0 AND proprietario MATCHES "^([a-z0-9][a-z0-9+.-]+)(:[a-z0-9-]+)?: ")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${CMAKE_MATCH_1})
else()
  message(WARNING "No Debian package holds Qt's SQLite driver (${driver_sqlite}): the package would not name it")
endif()
# Qt's own Italian texts, and the metric twin of Arial the windows are laid out for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation")
include(CPack)
