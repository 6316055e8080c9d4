# Install rules and the Debian package for Vexmoor.
# Included by the top-level CMakeLists.txt once the vexmoor target exists.
# Install:  cmake --install build/release --prefix ~/.local
# Package:  make package   (writes build/release/package/vexmoor_1.0_<arch>.deb)
# The package needs dpkg-shlibdeps, from Debian's dpkg-dev, to work out its dependencies.

include(GNUInstallDirs)

set(VEXMOOR_DATA "${PROJECT_SOURCE_DIR}/data")
set(VEXMOOR_APP_ID "org.vexmoor.Vexmoor")

install(TARGETS vexmoor vexmoor-terminal RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY "${PROJECT_SOURCE_DIR}/help/"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/vexmoor/help)

install(FILES "${VEXMOOR_DATA}/${VEXMOOR_APP_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${VEXMOOR_DATA}/${VEXMOOR_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES "${VEXMOOR_DATA}/icons/${VEXMOOR_APP_ID}.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
    install(FILES "${VEXMOOR_DATA}/icons/${size}/${VEXMOOR_APP_ID}.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

install(FILES "${PROJECT_SOURCE_DIR}/doc/vexmoor.6"
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# Under the package's own name, where Debian looks for a package's licence.
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vexmoor)

# The Debian package: cpack -G DEB, or the "package" target.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vexmoor")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Vexmoor team")
set(CPACK_PACKAGE_CONTACT "The Vexmoor team <vexmoor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard dungeon game drawn with letters")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Vexmoor is a single-player dungeon game whose every object is a letter or a digit. "
    "Walk down 99 levels of a board, pick up gold, hits, food and serum, fight demons, "
    "giant spiders and giant bats, and spend your gold in the shop, all against a clock.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vexmoor team <vexmoor@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

include(CPack)
