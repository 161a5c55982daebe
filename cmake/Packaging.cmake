# The Debian package, made by CPack from the install rules (scripts/package builds it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plimset)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Plimset developers")
set(CPACK_PACKAGE_CONTACT "Plimset developers <plimset@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "alarm, countdown and stopwatch in one small window")
set(CPACK_PACKAGE_DESCRIPTION
    "Plimset is a small desktop timer. One compact window shows a large time\n\
field and runs in one of three modes: an alarm at a time of day, a\n\
countdown, or a stopwatch. When a countdown or alarm ends, it brings its\n\
window to the front, plays a sound or beeps and shows a message. Presets, a\n\
tray icon, a global hotkey and a command line make it quick to use; its\n\
interface is in English and Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the binary and the sound module link (the audio server's client, the sound
# file library that decodes the sound formats offered) come from dpkg-shlibdeps; what Qt
# loads at run time is named here: the X11 platform and SVG plugins, Qt's own translations
# (the standard buttons of the Japanese interface), and the desktop sound theme that holds
# the default alarm.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6svg6, qt6-qpa-plugins, qt6-translations-l10n, sound-theme-freedesktop")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
