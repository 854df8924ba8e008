# The Debian package (cpack -G DEB, as scripts/package.sh runs it). The libraries it needs are
# found by dpkg-shlibdeps from the programs themselves, not listed here.

set(CPACK_PACKAGE_NAME tq530)
set(CPACK_PACKAGE_VENDOR "The TQ530 authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clone programmer for the NR6120 marine VHF radio")
set(CPACK_PACKAGE_DESCRIPTION
    "TQ530 reads the settings of the NR6120 handheld marine VHF radio (DSC and ATIS)
over its programming cable, edits them and programs them back: channel plans,
names, usable groups, common and DSC settings, the user MMSI and the ID
directories. It keeps data sets on disk, prints a report of every setting,
exports and imports CSV and clears the radio's logs.

The package holds the window program tq530, the command-line tool tq530-cli
and the radio simulator nr6120-sim.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
if(NOT CPACK_PACKAGE_CONTACT)
    set(CPACK_PACKAGE_CONTACT "TQ530 maintainers <tq530@example.org>")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
