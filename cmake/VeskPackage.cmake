# What an installation holds besides the program and its data: the manual
# pages, the licence and the change log; and the Debian package that
# scripts/package makes.
include(GNUInstallDirs)
# Manual pages go compressed, as Debian keeps them.
foreach(page "man/vesk.1;${CMAKE_INSTALL_MANDIR}/man1;vesk.1.gz" "man/ja/vesk.1;${CMAKE_INSTALL_MANDIR}/ja/man1;vesk.1.gz"
             "man/pelma.1;${CMAKE_INSTALL_MANDIR}/man1;pelma.1.gz" "man/ja/pelma.1;${CMAKE_INSTALL_MANDIR}/ja/man1;pelma.1.gz"
             "changelog;${CMAKE_INSTALL_DATAROOTDIR}/doc/vesk;changelog.gz")
  list(GET page 0 source)
  list(GET page 1 destination)
  list(GET page 2 name)
  string(REPLACE "/" "_" stem "${source}")
  set(compressed ${PROJECT_BINARY_DIR}/man/${stem}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n < '${PROJECT_SOURCE_DIR}/docs/${source}' > '${compressed}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/${source} VERBATIM)
  list(APPEND man_pages ${compressed})
  install(FILES ${compressed} DESTINATION ${destination} RENAME ${name})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vesk RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesk)
set(CPACK_PACKAGE_VERSION ${VESK_PRODUCT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vesk developers")
set(CPACK_PACKAGE_CONTACT "The Vesk developers <vesk@dorvane.example.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "resident mail checker with a built-in mail server")
set(CPACK_PACKAGE_DESCRIPTION
  "Vesk lives in the tray with a small always-on-top clock strip. It collects\n"
  "the mail waiting at the provider's POP3 server into a local store, sends its\n"
  "out-box through the provider's SMTP server, and serves the user's mail\n"
  "programs on local POP3 and SMTP ports. Its own texts are Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION mail)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs (Yes/No, file, colour, font) in Japanese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# Japanese text needs a Japanese font; the sounds, where the user chose no
# wave file, the freedesktop sound theme; typing Japanese an input method's
# Qt 6 front end (ibus's comes with Qt). libcanberra-pulse plays the theme's
# sounds through the sound server, where the desktop's event volume applies;
# it would pull a sound server onto machines without one, so it is only
# suggested. So is a keyring (libsecret comes through shlibs): without a
# Secret Service the passwords stay in the settings file.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-ipafont-gothic | fonts-noto-cjk, qt6-qpa-plugins, sound-theme-freedesktop, fcitx5-frontend-qt6")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "trayer | stalonetray, libcanberra-pulse, gnome-keyring")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Byte-identical packages of one commit: the time stamps come from the
# commit (cpack reads SOURCE_DATE_EPOCH) unless the caller gave one.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/VeskPackageTime.cmake)
set(CPACK_VESK_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_STRIP_FILES ON)
include(CPack)
