# The Debian package of the game: `cmake --build build --target package` (./game.sh package)
# writes build/drennmoor_<version>_amd64.deb. It holds the game alone, laid out as Debian's
# games are:
#   /usr/games/drennmoor                    the launcher (packaging/drennmoor.sh.in)
#   /usr/lib/games/drennmoor/drennmoor      the game program, stripped
#   /usr/share/games/drennmoor/             the staged assets/ tree and the default config.json
#   /usr/share/applications, icons/hicolor, metainfo, man/man6, doc/drennmoor, lintian/overrides
# Its dependencies are the runtime packages of the shared libraries the program links,
# as dpkg-shlibdeps finds them. The pictures and the song are built into it.

# Who makes the game, as package tools need it: the maintainer's address, the AppStream id
# (the domain reversed) and the screenshot's address. ".invalid" until the game has a home.
set(DRENNMOOR_DOMAIN "drennmoor.invalid" CACHE STRING "The game's web domain, for the package's metadata")
set(DRENNMOOR_MAINTAINER "The Drennmoor makers <makers@${DRENNMOOR_DOMAIN}>")
string(REPLACE "." ";" domain_parts "${DRENNMOOR_DOMAIN}")
list(REVERSE domain_parts)
list(JOIN domain_parts "." DRENNMOOR_APP_ID)
set(DRENNMOOR_APP_ID "${DRENNMOOR_APP_ID}.Drennmoor")
set(DRENNMOOR_SCREENSHOT_URL "https://${DRENNMOOR_DOMAIN}/screenshots/walk.jpg")
# The day this version was released (the changelog's and the AppStream release's date).
set(DRENNMOOR_RELEASE_DATE 2026-12-07)
set(DRENNMOOR_RELEASE_TIME "Mon, 07 Dec 2026 21:00:00 +0000")

# The rest is the Debian package, which a Windows build does not make.
if(WIN32)
  return()
endif()

set(PACKAGE_BUILD ${CMAKE_BINARY_DIR}/package)
set(PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
find_program(GZIP gzip REQUIRED)
include(cmake/Icon.cmake)
configure_file(${PACKAGING}/drennmoor.metainfo.xml.in ${PACKAGE_BUILD}/${DRENNMOOR_APP_ID}.metainfo.xml @ONLY)
configure_file(${PACKAGING}/drennmoor.6 ${PACKAGE_BUILD}/drennmoor.6 @ONLY)
configure_file(${PACKAGING}/changelog.in ${PACKAGE_BUILD}/changelog @ONLY)
# The launcher, with where the program and the data are from /usr/games.
set(LAUNCHER_PROGRAM ../lib/games/drennmoor/drennmoor)
set(LAUNCHER_DATA ../share/games/drennmoor)
configure_file(${PACKAGING}/drennmoor.sh.in ${PACKAGE_BUILD}/drennmoor.sh @ONLY)

# The icon at both sizes of the desktop's icon theme. The man page and the changelog are
# compressed without a time stamp, so each build is the same; the makers package the game
# themselves, so its changelog is changelog.gz, not changelog.Debian.gz.
file(MAKE_DIRECTORY ${PACKAGE_BUILD}/256 ${PACKAGE_BUILD}/64)
add_icon_pictures(${PACKAGE_BUILD} "Drawing the icon"
  256 ${PACKAGE_BUILD}/256/drennmoor.png 64 ${PACKAGE_BUILD}/64/drennmoor.png)
add_custom_command(OUTPUT ${PACKAGE_BUILD}/drennmoor.6.gz ${PACKAGE_BUILD}/changelog.gz
  COMMAND ${GZIP} -9nkf drennmoor.6 changelog
  WORKING_DIRECTORY ${PACKAGE_BUILD}
  DEPENDS ${PACKAGE_BUILD}/drennmoor.6 ${PACKAGE_BUILD}/changelog
  COMMENT "Compressing the man page and the changelog" VERBATIM)
add_custom_target(package_files ALL DEPENDS ${PACKAGE_BUILD}/256/drennmoor.png
  ${PACKAGE_BUILD}/drennmoor.6.gz ${PACKAGE_BUILD}/changelog.gz)

# What is installed, where.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(PROGRAMS ${PACKAGE_BUILD}/drennmoor.sh DESTINATION games RENAME drennmoor)
install(TARGETS drennmoor RUNTIME DESTINATION lib/games/drennmoor)
# Stripping keeps the compiler's name and version in .comment; Debian's own strip drops it.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/games/drennmoor/drennmoor\")
endif()")
install(DIRECTORY ${GAME_DIR}/assets DESTINATION share/games/drennmoor)
install(FILES ${CMAKE_SOURCE_DIR}/config.json DESTINATION share/games/drennmoor)
install(FILES ${PACKAGING}/drennmoor.desktop DESTINATION share/applications)
install(FILES ${PACKAGE_BUILD}/256/drennmoor.png DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${PACKAGE_BUILD}/64/drennmoor.png DESTINATION share/icons/hicolor/64x64/apps)
install(FILES ${PACKAGE_BUILD}/${DRENNMOOR_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PACKAGE_BUILD}/drennmoor.6.gz DESTINATION share/man/man6)
install(FILES ${PACKAGING}/copyright ${PACKAGE_BUILD}/changelog.gz DESTINATION share/doc/drennmoor)
install(FILES ${PACKAGING}/lintian-overrides DESTINATION share/lintian/overrides RENAME drennmoor)

# The package itself.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drennmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DRENNMOOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "short film you play, in the rain
A window opens on eight illustrated scenes in the rain: a face, a lonely house
on the moor, a procession to a tower, a desk at night, a workshop of hooks and
cogs, a door opening into light, a sea monster and a last look back, while a
poem is written over the pictures letter by letter in time with the song.
After about three and a half minutes it ends by itself.")
include(CPack)

# The package test: build it, unpack it, play it from the unpacked copy (tests/package/).
find_program(DPKG_DEB dpkg-deb)
if(DRENNMOOR_TESTS AND DPKG_DEB AND NOT DRENNMOOR_SANITIZE AND NOT DRENNMOOR_FUZZ)
  add_test(NAME package.InstallsAndPlaysFromAnUnpackedCopy
    COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/unpacked_copy_test.sh
      ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${GAME_DIR})
  set_tests_properties(package.InstallsAndPlaysFromAnUnpackedCopy PROPERTIES
    ENVIRONMENT ALSOFT_DRIVERS=null TIMEOUT 300 RUN_SERIAL TRUE)
endif()

# The other Linux release, the portable folder, shares the package's launcher and icon.
include(cmake/LinuxRelease.cmake)
