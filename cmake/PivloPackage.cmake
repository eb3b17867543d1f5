# The Debian package of the install: `cmake --build build/release --target package`
# (./run package) writes build/release/pivlo_VERSION_ARCH.deb.

set(PIVLO_PACKAGE_MAINTAINER "Pivlo developers <pivlo@localhost>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pivlo)
set(CPACK_PACKAGE_CONTACT ${PIVLO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo-slideshow screensaver maker")
# The long description; CPack puts the summary above it and indents it as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pivlo turns a set of photographs and songs into a screensaver: pictures with
captions and animated headlines, songs with synchronised lyrics, frames, titles
and transitions, built into one file that plays the show full screen, as a
program or as an XScreenSaver hack. The interface is in Simplified Chinese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The libraries the programs link come from dpkg-shlibdeps. Named here is what it cannot
# see: what Qt loads at run time (the X11 platform, the TIFF reader, its Chinese texts),
# the fonts the interface is drawn in, the SoundFont for MIDI songs, and what the player
# stub links, scrambled as it is.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, fonts-noto-cjk, timgm6mb-soundfont | sf2-soundfont-gm, libxcb1")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)

include(CPack)
