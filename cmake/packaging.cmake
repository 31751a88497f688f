# Packages: a .deb of the Linux program, a zip of the Windows one.
set(CPACK_PACKAGE_NAME mivello)
set(CPACK_PACKAGE_VENDOR "Velta")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Discount calculator with a Chinese interface")
set(CPACK_PACKAGE_CONTACT "Velta <http://velta.taobao.com>")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(CPACK_PACKAGE_FILE_NAME "mivello-${PROJECT_VERSION}-windows-x64")
  else()
    set(CPACK_PACKAGE_FILE_NAME "mivello-${PROJECT_VERSION}-windows-x86")  # the release
  endif()
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # the Qt 6 and C++ libraries, from the binary
  # What the binary does not name: the X11 platform plugin, Qt's Chinese texts, a CJK font,
  # the link opener.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk | fonts-wqy-zenhei, xdg-utils")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Discount calculator with a Chinese interface
 Type the original price and the discount in tenths; Mivello shows the
 current price. Two badges and a link open the shop's chat and page.")
endif()
include(CPack)
