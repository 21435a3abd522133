# What an installation holds besides the program and its data: the manual
# pages and the licence; and the Debian package that scripts/package makes.
include(GNUInstallDirs)
# Manual pages go compressed, as Debian keeps them.
foreach(page "vesk.1;man1" "ja/vesk.1;ja/man1")
  list(GET page 0 source)
  list(GET page 1 section)
  string(REPLACE "/" "_" stem "${source}")
  set(compressed ${PROJECT_BINARY_DIR}/man/${stem}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n < '${PROJECT_SOURCE_DIR}/docs/man/${source}' > '${compressed}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${source} VERBATIM)
  list(APPEND man_pages ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/${section} RENAME vesk.1.gz)
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
# Japanese text needs a Japanese font; the sounds need a GStreamer backend.
# Qt's own dialogs (Yes/No, file, colour, font) in Japanese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "trayer | stalonetray")
set(CPACK_STRIP_FILES ON)
include(CPack)
