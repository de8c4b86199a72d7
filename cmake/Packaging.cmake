# Velmoran as a desktop application: what `cmake --install` puts in place
# (the program, its desktop entry, its AppStream description, its icons in
# the hicolor theme, its manual page, copyright and change log) and the
# Debian package CPack builds from the same install rules.
include(GNUInstallDirs)

# The reverse-DNS name under which desktops, icon themes and software centres
# know the program; the desktop entry, the metainfo and the icons carry it.
set(VELMORAN_APP_ID "org.velmoran.Velmoran")
set(velmoran_site "${VELMORAN_MAKER_URL}")
if(NOT velmoran_site MATCHES "/$")
  string(APPEND velmoran_site "/")
endif()
# Software centres fetch screenshots from the web: the build takes this one
# (desktop/screenshots/velmoran-window.png) and the web site serves it here.
set(VELMORAN_SCREENSHOT_URL "${velmoran_site}screenshots/velmoran-window.png")

add_subdirectory(${PROJECT_SOURCE_DIR}/tools/desktop_art ${CMAKE_BINARY_DIR}/tools/desktop_art)

set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
set(desktop_icons)
foreach(size 16 22 24 32 48 64 128 256 512)
  list(APPEND desktop_icons ${desktop_dir}/icons/hicolor/${size}x${size}/apps/${VELMORAN_APP_ID}.png)
endforeach()
list(APPEND desktop_icons ${desktop_dir}/icons/hicolor/scalable/apps/${VELMORAN_APP_ID}.svg)
set(desktop_screenshot ${desktop_dir}/screenshots/velmoran-window.png)

# The generator renders with the program's own picture library and window,
# so both follow every change of the artwork. It runs offscreen, and in the
# sanitizer build without the leak report (Qt keeps its caches to the end).
add_custom_command(
  OUTPUT ${desktop_icons} ${desktop_screenshot}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:velmoran_desktop_art> ${desktop_dir}/icons ${desktop_screenshot} ${VELMORAN_APP_ID}
  DEPENDS velmoran_desktop_art
  COMMENT "Drawing the program icons and the window's screenshot"
  VERBATIM)
add_custom_target(velmoran_desktop_files ALL DEPENDS ${desktop_icons} ${desktop_screenshot})

# The change log and the manual page go in compressed, as Debian wants them
# (-n: no name or time stamp, so every build gives the same bytes).
find_program(VELMORAN_GZIP gzip REQUIRED)
set(desktop_docs)
foreach(doc changelog velmoran.6)
  add_custom_command(
    OUTPUT ${desktop_dir}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${doc} ${desktop_dir}/${doc}
    COMMAND ${VELMORAN_GZIP} -9nf ${desktop_dir}/${doc}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${doc}
    VERBATIM)
  list(APPEND desktop_docs ${desktop_dir}/${doc}.gz)
endforeach()
add_custom_target(velmoran_desktop_docs ALL DEPENDS ${desktop_docs})

configure_file(${PROJECT_SOURCE_DIR}/packaging/velmoran.desktop.in ${desktop_dir}/${VELMORAN_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/velmoran.metainfo.xml.in
               ${desktop_dir}/${VELMORAN_APP_ID}.metainfo.xml @ONLY)

install(TARGETS velmoran RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
# Debian keeps the programs of its games in /usr/games (on every user's
# PATH there); the package takes this copy instead of the one above.
install(TARGETS velmoran RUNTIME DESTINATION games COMPONENT debian_program EXCLUDE_FROM_ALL)
install(FILES ${desktop_dir}/${VELMORAN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/${VELMORAN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${desktop_dir}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${desktop_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${desktop_dir}/velmoran.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package. Its dependencies on shared libraries come from the
# binary itself (dpkg-shlibdeps). The Qt plugins the program loads at run
# time without linking them (the xcb platform, the compose input context,
# the image formats) ship in libqt6gui6 and libqt6svg6, which the binary
# links anyway; the sound goes to the sound server through libpulse0, a
# dependency of libqt6multimedia6, and loads no multimedia plugin
# (tests/package/check_package.sh holds every plugin the running program
# has mapped against the dependencies). What it can do without is
# recommended: a sound server, and xdg-open for the About window's link.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian_program)
set(CPACK_PACKAGE_NAME velmoran)
set(CPACK_PACKAGE_VENDOR "The Velmoran developers")
set(CPACK_PACKAGE_CONTACT "Velmoran maintainers <maintainers@velmoran.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "five-reel video slot machine for play money")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmoran is a single-player desktop video slot machine for play money:
five reels of three symbols, up to 25 paylines, a wild that holds its reel,
scatters that award free spins with a random multiplier, and a red/black and
suit card gamble on every win. Up to six named players keep their credit and
lifetime figures between runs.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/packaging/copyright)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${velmoran_site}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
