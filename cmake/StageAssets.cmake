# Copies the hand-written data (JSON, shaders) and config.json into the game folder.
# configure_file re-runs when a source changes, so a rebuild always refreshes the copy;
# the glob notices added files.
file(GLOB_RECURSE STAGED_ASSETS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/assets
  ${CMAKE_SOURCE_DIR}/assets/*)
foreach(asset ${STAGED_ASSETS})
  configure_file(${CMAKE_SOURCE_DIR}/assets/${asset} ${GAME_DIR}/assets/${asset} COPYONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/config.json ${GAME_DIR}/config.json COPYONLY)

# The poem's typeface comes from Debian's fonts-ebgaramond; the game ships its Regular face
# and its licence text in assets/fonts.
set(EBGARAMOND_DIR /usr/share/fonts/opentype/ebgaramond)
set(EBGARAMOND_FONT ${EBGARAMOND_DIR}/EBGaramond12-Regular.otf)
if(NOT EXISTS ${EBGARAMOND_FONT})
  message(FATAL_ERROR "EB Garamond is missing: install the Debian package fonts-ebgaramond")
endif()
configure_file(${EBGARAMOND_FONT} ${GAME_DIR}/assets/fonts/EBGaramond12-Regular.otf COPYONLY)
configure_file(/usr/share/doc/fonts-ebgaramond/copyright ${GAME_DIR}/assets/fonts/EBGaramond-LICENSE.txt COPYONLY)
