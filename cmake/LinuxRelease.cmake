# The portable Linux release: `cmake --build build --target linux_release` (part of
# ./game.sh release) writes build/Drennmoor-<version>-linux-x86_64.tar.gz, one folder
# Drennmoor/ that plays on any distribution; packaging/linux/tarball.sh lays it out, and
# packaging/linux/system-libraries lists what it takes from the player's system. Its program
# and libraries come from an older Debian root (packaging/linux/build_root.sh), where
# packaging/linux/build_in_root.sh has built the program before this target packs it.
set(DRENNMOOR_LINUX_BUILD_ROOT "" CACHE PATH
  "The older Debian root the Linux release's program is built in (./game.sh release sets it)")
find_program(PATCHELF patchelf REQUIRED)
set(LINUX_RELEASE_BUILD ${CMAKE_BINARY_DIR}/linux-release)
set(LINUX_RELEASE_TARBALL ${CMAKE_BINARY_DIR}/Drennmoor-${PROJECT_VERSION}-linux-x86_64.tar.gz)
# The package's launcher, the program and the data found from the folder itself.
set(LAUNCHER_PROGRAM lib/drennmoor)
set(LAUNCHER_DATA .)
configure_file(${CMAKE_SOURCE_DIR}/packaging/drennmoor.sh.in ${LINUX_RELEASE_BUILD}/drennmoor.sh @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/linux/README.txt.in ${LINUX_RELEASE_BUILD}/README.txt @ONLY)
add_custom_target(linux_release
  COMMAND sh ${CMAKE_SOURCE_DIR}/packaging/linux/tarball.sh "${DRENNMOOR_LINUX_BUILD_ROOT}" ${GAME_DIR}
    ${LINUX_RELEASE_BUILD}/drennmoor.sh ${LINUX_RELEASE_BUILD}/README.txt
    ${PACKAGE_BUILD}/256/drennmoor.png ${LINUX_RELEASE_BUILD}/stage ${LINUX_RELEASE_TARBALL}
  DEPENDS pictures package_files
  COMMENT "Packing ${LINUX_RELEASE_TARBALL}" VERBATIM)
