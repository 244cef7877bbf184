# The Debian package of the installed layout: `cpack -G DEB` in the build folder.
# Library dependencies are computed by dpkg-shlibdeps; the rest are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvary)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvary")
set(CPACK_PACKAGE_CONTACT "Kelvary <kelvary@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "image viewer and editor with a French interface")
set(CPACK_PACKAGE_DESCRIPTION
  "Kelvary opens one picture at a time (BMP, GIF, JPEG, Photo CD, PCX, PNG,\nPhotoshop, Targa, TIFF and more), shows it at a chosen zoom and changes it:\nlive tone and colour settings, colour depth, mirrors, turns, special\neffects, resizing, cropping, frames, text, blending, fill and slant. The\nresult is saved in six formats, exported as PDF, icon or metafile, printed,\ncopied or set as the wallpaper.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt's French texts, and the scanner library loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libsane1")
include(CPack)
