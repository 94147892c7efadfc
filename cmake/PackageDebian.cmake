# `cpack` makes kelvane_1.01_amd64.deb from the install rules. Its dependencies come from the shared
# libraries the program links (dpkg-shlibdeps), plus the Qt platform plugins it loads at run time;
# XScreenSaver and Wine are recommended: without them the program runs, but sets nothing on the desktop
# and runs no Windows screensaver.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quillfen)
set(CPACK_PACKAGE_CONTACT "Quillfen <developers@quillfen.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KELVANE_VENDOR_SITE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, xscreensaver-data, wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screensaver manager with rotation and scheduled events")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kelvane keeps an ordered list of the screensavers found in the folders the
user names, sets the one the desktop shows when idle (XScreenSaver's choice
on Linux), runs, configures and previews them, rotates through the list on
an interval, and runs or activates screensavers at scheduled moments. It
waits in the notification area and keeps a log of its scheduled events.")
include(CPack)
