# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made with `cpack -G DEB` in the build directory: everything the install
# rules put under the prefix, installed under /usr, with the library dependencies found by
# dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonolog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tonolog developers")
set(TONOLOG_MAINTAINER "Tonolog maintainers <maintainers@tonolog.invalid>"
    CACHE STRING "The maintainer named in the Debian package")
set(CPACK_PACKAGE_CONTACT ${TONOLOG_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TONOLOG_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "diary of home blood pressure readings")
set(CPACK_PACKAGE_DESCRIPTION
    "Tonolog keeps a diary of the blood pressure measured at home: up to three readings of\n"
    "the systolic and diastolic pressure and the pulse a day, each with its time, and a note.\n"
    "It lists four days beside a bar chart of their readings, draws a month of readings as a\n"
    "graph and prints both. One person's diary is one plain text file (.tnl).")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so dpkg-shlibdeps cannot see them: the X11 one comes
# with libqt6gui6, the Wayland one (which shows the window's icon there) is a package of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
