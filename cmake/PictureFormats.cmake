# SPDX-License-Identifier: GPL-3.0-or-later
# The kinds of picture the program loads: the one list the open dialog's filter, the drop rules,
# the loader's "not a picture" message, the menu entry's MIME types and the package's description
# are made from. A format joins here and in the loader, nowhere else.
#
# PLAKATRON_PICTURE_FORMATS names them in the order messages list them; for each NAME,
# PLAKATRON_PICTURE_<NAME>_EXTENSIONS (lower case, without the dot; the program matches any case)
# and PLAKATRON_PICTURE_<NAME>_MIME_TYPES.
set(PLAKATRON_PICTURE_FORMATS JPEG PNG TIFF WebP HEIC AVIF BMP GIF ICO WMF PDF SVG)
set(PLAKATRON_PICTURE_JPEG_EXTENSIONS jpg jpeg jpe jfif)
set(PLAKATRON_PICTURE_JPEG_MIME_TYPES image/jpeg)
set(PLAKATRON_PICTURE_PNG_EXTENSIONS png)
set(PLAKATRON_PICTURE_PNG_MIME_TYPES image/png)
set(PLAKATRON_PICTURE_TIFF_EXTENSIONS tif tiff)
set(PLAKATRON_PICTURE_TIFF_MIME_TYPES image/tiff)
set(PLAKATRON_PICTURE_WebP_EXTENSIONS webp)
set(PLAKATRON_PICTURE_WebP_MIME_TYPES image/webp)
set(PLAKATRON_PICTURE_HEIC_EXTENSIONS heic heif)
set(PLAKATRON_PICTURE_HEIC_MIME_TYPES image/heic image/heif)
set(PLAKATRON_PICTURE_AVIF_EXTENSIONS avif)
set(PLAKATRON_PICTURE_AVIF_MIME_TYPES image/avif)
set(PLAKATRON_PICTURE_BMP_EXTENSIONS bmp)
set(PLAKATRON_PICTURE_BMP_MIME_TYPES image/bmp)
set(PLAKATRON_PICTURE_GIF_EXTENSIONS gif)
set(PLAKATRON_PICTURE_GIF_MIME_TYPES image/gif)
set(PLAKATRON_PICTURE_ICO_EXTENSIONS ico)
set(PLAKATRON_PICTURE_ICO_MIME_TYPES image/vnd.microsoft.icon image/x-icon)
set(PLAKATRON_PICTURE_WMF_EXTENSIONS wmf)
set(PLAKATRON_PICTURE_WMF_MIME_TYPES image/wmf image/x-wmf)
set(PLAKATRON_PICTURE_PDF_EXTENSIONS pdf)
set(PLAKATRON_PICTURE_PDF_MIME_TYPES application/pdf)
set(PLAKATRON_PICTURE_SVG_EXTENSIONS svg svgz)
set(PLAKATRON_PICTURE_SVG_MIME_TYPES image/svg+xml image/svg+xml-compressed)

# What the rest of the build takes from the list: every extension and MIME type, and the names as
# a text ("JPEG, PNG, ... or WMF").
set(PLAKATRON_PICTURE_EXTENSIONS)
set(PLAKATRON_MIME_TYPES)
foreach(name IN LISTS PLAKATRON_PICTURE_FORMATS)
  list(APPEND PLAKATRON_PICTURE_EXTENSIONS ${PLAKATRON_PICTURE_${name}_EXTENSIONS})
  list(APPEND PLAKATRON_MIME_TYPES ${PLAKATRON_PICTURE_${name}_MIME_TYPES})
endforeach()
set(all_but_last ${PLAKATRON_PICTURE_FORMATS})
list(POP_BACK all_but_last last)
list(JOIN all_but_last ", " PLAKATRON_PICTURE_NAMES_TEXT)
string(APPEND PLAKATRON_PICTURE_NAMES_TEXT " or ${last}")
unset(all_but_last)
unset(last)
