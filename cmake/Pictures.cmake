# Builds the pictures of the film from their sources in art/.
#
#   art/<key>.svg    a hand-written picture, rasterised to assets/images/<key>.png
#   art/<group>.py   a script that writes pictures: `python3 <group>.py --list` prints the keys
#                    it makes, one per line; `python3 <group>.py <dir>` writes <dir>/<key>.svg
#                    for each of them. Shared drawing code lives in art/lib/.
#
# rsvg-convert sees only the fonts named in fonts.conf, so text in pictures is set in the
# game's own typeface and nothing else is substituted silently.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT PYTHON3)
  find_program(PYTHON3 python3 REQUIRED)
endif()

set(ART_DIR ${CMAKE_SOURCE_DIR}/art)
set(ART_BUILD ${CMAKE_BINARY_DIR}/art)
set(IMAGE_DIR ${GAME_DIR}/assets/images)
file(MAKE_DIRECTORY ${ART_BUILD} ${IMAGE_DIR})
configure_file(${CMAKE_SOURCE_DIR}/cmake/fonts.conf.in ${ART_BUILD}/fonts.conf @ONLY)
set(RSVG ${CMAKE_COMMAND} -E env FONTCONFIG_FILE=${ART_BUILD}/fonts.conf ${RSVG_CONVERT})

file(GLOB ART_SVGS CONFIGURE_DEPENDS ${ART_DIR}/*.svg)
file(GLOB ART_SCRIPTS CONFIGURE_DEPENDS ${ART_DIR}/*.py)
file(GLOB_RECURSE ART_LIB CONFIGURE_DEPENDS ${ART_DIR}/lib/*.py)
set(PICTURES)

foreach(svg ${ART_SVGS})
  get_filename_component(key ${svg} NAME_WE)
  add_custom_command(OUTPUT ${IMAGE_DIR}/${key}.png
    COMMAND ${RSVG} -o ${IMAGE_DIR}/${key}.png ${svg}
    DEPENDS ${svg} ${ART_BUILD}/fonts.conf
    COMMENT "Picture ${key}" VERBATIM)
  list(APPEND PICTURES ${IMAGE_DIR}/${key}.png)
endforeach()

foreach(script ${ART_SCRIPTS})
  get_filename_component(group ${script} NAME_WE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${script})
  execute_process(COMMAND ${PYTHON3} ${script} --list
    WORKING_DIRECTORY ${ART_DIR}
    OUTPUT_VARIABLE keys RESULT_VARIABLE listed OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT listed EQUAL 0)
    message(FATAL_ERROR "art/${group}.py --list failed")
  endif()
  string(REPLACE "\n" ";" keys "${keys}")
  if(NOT keys)
    message(WARNING "art/${group}.py makes no pictures")
    continue()
  endif()
  set(svgs)
  foreach(key ${keys})
    list(APPEND svgs ${ART_BUILD}/${key}.svg)
  endforeach()
  add_custom_command(OUTPUT ${svgs}
    COMMAND ${PYTHON3} ${script} ${ART_BUILD}
    WORKING_DIRECTORY ${ART_DIR}
    DEPENDS ${script} ${ART_LIB}
    COMMENT "Drawing ${group}" VERBATIM)
  foreach(key ${keys})
    add_custom_command(OUTPUT ${IMAGE_DIR}/${key}.png
      COMMAND ${RSVG} -o ${IMAGE_DIR}/${key}.png ${ART_BUILD}/${key}.svg
      DEPENDS ${ART_BUILD}/${key}.svg ${ART_BUILD}/fonts.conf
      COMMENT "Picture ${key}" VERBATIM)
    list(APPEND PICTURES ${IMAGE_DIR}/${key}.png)
  endforeach()
endforeach()

add_custom_target(pictures ALL DEPENDS ${PICTURES})
