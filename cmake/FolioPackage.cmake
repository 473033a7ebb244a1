# The Debian package: `cpack -G DEB` in a build folder (scripts/package does it). The package
# installs under /usr; its library dependencies are found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tagwright-folio)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tagwright Folio developers")
set(CPACK_PACKAGE_CONTACT "Tagwright Folio developers <folio@tagwright.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for web pages, INI and autorun.inf files")
set(CPACK_PACKAGE_DESCRIPTION
  "Tagwright Folio is a multiple-document editor for small text files: HTML web pages, INI configuration files, CD autorun.inf files and plain text. Each file opens in a window of its own with a find and replace panel. Menus wrap the selection in HTML tags or put tags and attributes in its place, and a colour picker shows the RGB and HTML values of mixed colours.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# F1 hands the help book to the desktop's browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
