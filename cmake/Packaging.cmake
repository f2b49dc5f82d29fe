# The Debian package, made from a built tree by `scripts/package.sh` (cpack -G DEB).
# Menus, the MIME database and the icon cache pick up the installed files through the
# triggers of desktop-file-utils, shared-mime-info and the icon theme: no maintainer scripts.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tým programu Lexo")
set(CPACK_PACKAGE_CONTACT "Tým programu Lexo <autor@lexo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Czech vocabulary trainer with tests and statistics")
# The summary above is the synopsis line; this is the extended description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Lexo helps Czech speakers learn foreign, mostly English, vocabulary. The user
keeps dictionaries of expressions (foreign text, Czech translation, written
pronunciation and an optional recorded sound), learns from them with spoken
pronunciation, and is tested in two modes with a percentage, a school grade,
retests of the wrong answers and charts of the success over time.
.
The program speaks Czech throughout. It also holds an English-Czech word list,
merges and converts dictionaries, and comes with the lexo-tool command.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lexo.example/")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# Libraries the binaries link come from dpkg-shlibdeps; these are loaded at run time or
# started as programs, so no linker sees them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng, \
gstreamer1.0-plugins-good, gstreamer1.0-pulseaudio, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-speech-flite-plugin")

# Debian wants the copyright and a changelog in the package's doc folder, the latter
# compressed; gzip -n keeps the package reproducible.
set(LEXO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lexo)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog)
add_custom_target(lexo_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz
  DESTINATION ${LEXO_DOC_DIR})

include(CPack)
