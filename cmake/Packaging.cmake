# `cpack -G DEB` (`make deb`): one binary package whose library dependencies
# dpkg-shlibdeps reads from the linked binary. Qt loads the platform plugin,
# the SVG plugins and the QML modules at run time, so no linker ever sees
# them; they are named here by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvoscope)
set(CPACK_PACKAGE_VENDOR Corvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Corvanta <packages@corvanta.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Colour presets for every screen, from the tray")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The D-Bus service file names the binary by its configured path, so the
# package installs exactly where the build was configured to.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvanta.com)
# CPack puts the summary above this and indents each line itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Halvoscope lives as a light bulb in the tray. Its popover sets a colour
temperature, a saturation and optionally the backlight brightness for every
screen, with a daily schedule and keep-awake.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The QML modules are those the pages import (QtQuick, QtQuick.Layouts,
# QtQuick.Templates) plus WorkerScript, which QtQuick's QtQml import needs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libqt6svg6, qml6-module-qtquick, qml6-module-qtquick-layouts, qml6-module-qtquick-templates, qml6-module-qtqml-workerscript")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
