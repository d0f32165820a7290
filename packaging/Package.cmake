# `cpack -G DEB` in the build folder makes quorvin_<version>_<arch>.deb for Debian 12.

set(CPACK_PACKAGE_NAME quorvin)
set(CPACK_PACKAGE_VENDOR Veltrano)
set(CPACK_PACKAGE_CONTACT "Quorvin maintainers <maintainers@users.noreply.c-seed-f5f42ae9.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour picker with screen eyedropper and code copying")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvin is a small colour picker with one fixed-size window. A colour is set
with red, green and blue sliders, by dragging in a colour field or grey ramp,
with a screen eyedropper that reads any pixel on the screen, or at random.
It is shown as decimal, hexadecimal, HTML and single-number codes, each one
click away from the clipboard. Two preview panes compare colours side by side.
The window's texts are German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/quorvin/quorvin)
# The libraries come from dpkg-shlibdeps; what is loaded at run time without being linked is named
# here: the X11 platform plugin, Qt's German texts, the fonts that stand in for Arial, and XInput
# 2 for the side buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation, libxcb-xinput0")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
