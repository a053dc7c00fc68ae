# Installation and the Debian package.
include(GNUInstallDirs)

set(TELMA_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/telma)
# The program loads its button icons relative to the working directory; the desktop
# entry starts it from this directory so that both paths resolve.
set(TELMA_INSTALL_WORK_DIR ${CMAKE_INSTALL_FULL_DATADIR}/telma/icons/run/workdir)

install(TARGETS telma RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS telma-cohort RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The example cohort of the README, to try telma-cohort on.
install(FILES docs/example-cohort.csv DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES resources/icons/nextunfinished.png DESTINATION ${TELMA_INSTALL_DATA_DIR}/icons)
install(FILES resources/icons/button-close.png DESTINATION ${TELMA_INSTALL_DATA_DIR}/img)
install(DIRECTORY DESTINATION ${TELMA_INSTALL_DATA_DIR}/icons/run/workdir)

configure_file(resources/telma.desktop.in ${PROJECT_BINARY_DIR}/telma.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/telma.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128)
    install(FILES resources/icons/hicolor/${size}x${size}/telma.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

set(CPACK_PACKAGE_NAME telma)
set(CPACK_PACKAGE_VENDOR "model TELMA developers")
set(CPACK_PACKAGE_CONTACT "model TELMA developers <telma@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Predicts a person's BMI course during CBT treatment of obesity")
# The package preset configures with the prefix /usr, so that the desktop entry names the
# directories the package installs.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The case book needs the SQLite and PostgreSQL plugins of Qt SQL, which no library links against.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql")
include(CPack)

# The installed layout, checked without installing into the system (the package test preset
# runs this before packaging).
add_test(NAME install_layout
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DSTAGE=${PROJECT_BINARY_DIR}/install-check
            -DBINDIR=${CMAKE_INSTALL_FULL_BINDIR} -DDATADIR=${CMAKE_INSTALL_FULL_DATADIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/TelmaCheckInstall.cmake)
set_tests_properties(install_layout PROPERTIES LABELS install)
