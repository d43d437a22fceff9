# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` (or `make package`) builds the Debian package from the
# install rules. The library dependencies come from dpkg-shlibdeps; the
# SoundFont and the Japanese faces are what the program looks for at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvena)
set(CPACK_PACKAGE_VENDOR "Sorvena developers")
set(CPACK_PACKAGE_CONTACT "Sorvena developers <sorvena@sorvena.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see how pi is approximated, step by step")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The class session keeps its pool in SQLite, a plugin of Qt SQL.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "timgm6mb-soundfont | fluid-soundfont-gm | musescore-general-soundfont, fonts-horai-umefont, fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-dejavu-core, libqt6sql6-sqlite")
# Native windows on Wayland desktops, crisp at fractional scales; Qt's own
# dialogs in the program's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
# CPack puts the summary in front as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sorvena is a desktop teaching program with a Japanese interface that shows
how the number pi can be approximated. A menu of eight methods leads to a
window for each: five series and products evaluated term by term (the two
series of Matsunaga Yoshisuke, the Wallis product, the Gregory-Leibniz
series and Euler's series), the perimeters of regular polygons inscribed in
a circle, a Monte Carlo experiment and Buffon's needle.
.
Each window shows its formula, prints an explanation and computes step by
step, with live counters and drawings. Every click gives a sound cue, and a
tune plays on the title window.")

include(CPack)
