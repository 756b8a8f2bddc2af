# `cpack -G DEB` in the build folder makes zentrel_VERSION_ARCH.deb from what
# `cmake --install` puts under /usr. Its dependencies are those of the
# libraries the programs and modules link, as dpkg-shlibdeps finds them, and
# the plugins and programs they use at run time. The programs are built with
# Debian's hardening flags (DebianHardening.cmake).
# The package has no maintainer scripts: installing or removing it touches
# no one's home folder; the desktop's caches of icons, menus and metainfo
# follow through their own triggers.

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_architecture
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT deb_architecture)
  set(deb_architecture amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentrel)
set(CPACK_PACKAGE_VENDOR Torvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Torvane <zentrel@torvane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop maintenance utility with Vietnamese typing")
set(CPACK_PACKAGE_DESCRIPTION "Zentrel scans the home folder for junk in nine categories and deletes only
what is selected, finds duplicate files and near-duplicate pictures, sweeps
tracker cookies and recent-items lists with undo, monitors memory and energy,
uninstalls applications with their leftovers, and types Vietnamese (Telex,
VNI, VIQR) through an X11 key tap or an IBus input method.
.
The package holds the window program, the zentrel-cli terminal front and the
IBus input method.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://torvane.com/zentrel")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "zentrel_${PROJECT_VERSION}_${deb_architecture}.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${deb_architecture}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the linked libraries: Qt loads the theme's icons, SVG files, through
# its SVG plugins; the window's symbols come from Adwaita where the desktop's
# theme lacks them, and the input method runs under the IBus daemon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ibus, adwaita-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# Packaging a build made by `scripts/setup run` (the programs and data/, not
# the tests) builds nothing more: installing needs only what is installed.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)
