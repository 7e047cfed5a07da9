# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder (or `tools/dev package`) makes
# plakatron_<version>_<arch>.deb from what `cmake --install` puts under /usr.
set(CPACK_PACKAGE_NAME plakatron)
set(CPACK_PACKAGE_VENDOR "The Plakatron developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PLAKATRON_HOMEPAGE_URL}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Plakatron developers <${PLAKATRON_AUTHOR_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The summary is the package's synopsis; this is its long description.
set(CPACK_PACKAGE_DESCRIPTION "Plakatron lays a grid of A4 pages over a picture, previews each page enlarged
with assembly hints in its margins and prints one sheet per page on any
printer or to a PDF file. plakatron-cli does the same from the command line.
It reads ${PLAKATRON_PICTURE_NAMES_TEXT}
pictures.")
# The libraries come from the binaries (dpkg-shlibdeps, in Debian's dpkg-dev; libheif and libqpdf29,
# which puts the page pictures into printed PDF files, among them);
# the plugins the program needs (X11 and offscreen windows, JPEG, GIF and icon decoders, CUPS
# printing) come with those libraries, except the TIFF and WebP decoders and the SVG one (the
# help window's pictures): nothing links them, so they are named. So are the fonts libwmf draws with (libwmf only recommends them, and without
# them it reads no metafile at all, text or not). Wayland windows without XWayland need Qt's
# Wayland plugin; opening the help pages in a browser goes through xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# qt6-translations-l10n: Qt's own texts (the print and file dialogs) in the window's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, libqt6svg6, fonts-urw-base35, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")

include(CPack)
