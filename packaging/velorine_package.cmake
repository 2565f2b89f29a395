# The Debian package: velorine_<version>_<arch>.deb, its library dependencies computed from the
# binaries, plus what the program loads at run time without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velorine)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The package's own revision: 2 moved the logon entry (see doc/logon_entry_move.sh).
set(CPACK_DEBIAN_PACKAGE_RELEASE 2)
set(CPACK_PACKAGE_VENDOR "Atelier Velorine")
set(CPACK_PACKAGE_CONTACT "Atelier Velorine <auteur@velorine.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rappel des anniversaires et des fêtes de vos proches")
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/doc/description CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Staged under DESTDIR with the real prefix, so that the logon entry lands in /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.velorine.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The X11 platform plugin (in libqt6gui6), the French standard buttons and dialogs, and the font
# families the windows are drawn with (see ui/design.h). The Wayland platform plugin is
# recommended: without it, a Wayland desktop shows the windows through its X11 server (XWayland).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6gui6, qt6-translations-l10n, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# A Secret Service keeps the password of the address book online; without one it is asked at each sync.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libnotify-bin, xdg-utils, gnome-keyring")
# The logon entry in /etc is the administrator's to edit: upgrades keep their change, also across
# the entry's move to its new name, which the three maintainer scripts carry out alike.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/doc/conffiles)
foreach(script preinst postinst postrm)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/doc/logon_entry_move.sh ${CMAKE_CURRENT_BINARY_DIR}/debian/${script}
                 COPYONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                 WORLD_READ WORLD_EXECUTE)
  list(APPEND CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/debian/${script})
endforeach()
include(CPack)
