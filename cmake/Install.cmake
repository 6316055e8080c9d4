# Install rules and the Debian package for Vexmoor.
# Included by the top-level CMakeLists.txt once the vexmoor target exists.
# Install:  cmake --install build/release --prefix ~/.local
# Package:  make package   (writes build/release/package/vexmoor_1.0_<arch>.deb)
# The package needs dpkg-shlibdeps, from Debian's dpkg-dev, and file to work out its dependencies;
# tools/check-package.sh has lintian check it.

include(GNUInstallDirs)

set(VEXMOOR_DATA "${PROJECT_SOURCE_DIR}/data")
set(VEXMOOR_APP_ID "org.vexmoor.Vexmoor")

# The program lands in bin/ of a prefix, where a user's PATH looks, and in /usr/games of the
# package, where Debian keeps its games: two components, the package taking the second.
install(TARGETS vexmoor vexmoor-terminal vexmoor-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT bin)
install(TARGETS vexmoor vexmoor-terminal vexmoor-server RUNTIME DESTINATION games COMPONENT games
        EXCLUDE_FROM_ALL)
# The server's game process is no command of its own: it lives where the server finds it,
# ../lib/vexmoor beside bin/ or games/, and the server's page in share/vexmoor/web.
install(TARGETS vexmoor-web RUNTIME DESTINATION lib/vexmoor)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/web/" DESTINATION ${CMAKE_INSTALL_DATADIR}/vexmoor/web)

# The server as a system service, with the package only: its unit names /usr/games/vexmoor-server.
install(FILES "${VEXMOOR_DATA}/vexmoor-server.service" DESTINATION lib/systemd/system COMPONENT games
        EXCLUDE_FROM_ALL)

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

# The man page (vexmoor-terminal's points to the game's) and the changelog gzipped, as Debian keeps
# them (-n: no time stamp inside), and the licence in Debian's machine-readable copyright form,
# where Debian looks for a package's licence.
set(VEXMOOR_GZIPPED "")
foreach(doc vexmoor.6 vexmoor-terminal.6 vexmoor-server.6 changelog)
    set(gzipped "${CMAKE_BINARY_DIR}/${doc}.gz")
    add_custom_command(OUTPUT "${gzipped}"
        COMMAND gzip -9n < "${PROJECT_SOURCE_DIR}/doc/${doc}" > "${gzipped}"
        DEPENDS "${PROJECT_SOURCE_DIR}/doc/${doc}")
    list(APPEND VEXMOOR_GZIPPED "${gzipped}")
endforeach()
add_custom_target(gzipped_docs ALL DEPENDS ${VEXMOOR_GZIPPED})
install(FILES "${CMAKE_BINARY_DIR}/vexmoor.6.gz" "${CMAKE_BINARY_DIR}/vexmoor-terminal.6.gz"
              "${CMAKE_BINARY_DIR}/vexmoor-server.6.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES "${CMAKE_BINARY_DIR}/changelog.gz" "${PROJECT_SOURCE_DIR}/doc/copyright"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vexmoor)

# The Debian package: cpack -G DEB, or the "package" target.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vexmoor")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Vexmoor team")
set(CPACK_PACKAGE_CONTACT "The Vexmoor team <vexmoor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard dungeon game drawn with letters")
# Lines of at most 80 characters, as Debian's tools show them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Vexmoor is a single-player dungeon game whose every object is a letter or a\n"
    "digit. Walk down 99 levels of a board, pick up gold, hits, food and serum,\n"
    "fight demons, giant spiders and giant bats, and spend your gold in the shop,\n"
    "all against a clock.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/" "${CMAKE_BINARY_DIR};${PROJECT_NAME};games;/")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vexmoor team <vexmoor@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the libraries dpkg-shlibdeps finds: Qt's Wayland plugin, without which a Wayland
# session with no X server cannot show the window.
# The server's database goes through Qt SQL's SQLite or PostgreSQL driver, plugins loaded at run
# time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland, libqt6sql6-sqlite, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

include(CPack)
