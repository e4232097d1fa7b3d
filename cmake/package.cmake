# `cpack -G DEB` (make deb): one Debian package of the installed files, its Depends computed
# from the shared libraries the program links, plus the toolkit's display plugins, which it
# loads at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quenlark)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/strip-for-package.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER Quenlark)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The toolkit's Wayland plugin, for Wayland sessions without X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "processor usage meter for the notification area")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zelmaro shows how busy processors 0 and 1 are as two bars in the desktop's
notification area (system tray), refreshed every 500 milliseconds in a colour
picked from the icon's menu.

Its small window shows the current and the average usage of each processor,
two scrolling graphs and the time elapsed since the averages were last reset.

It works with StatusNotifierItem hosts (KDE Plasma, Xfce, LXQt, GNOME with the
AppIndicator extension) and with XEmbed trays, in X11 and Wayland sessions.")
include(CPack)
