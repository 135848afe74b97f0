# Builds the pictures of the film from their sources in art/.
#
#   art/<key>.svg    a hand-written picture, rasterised to assets/images/<key>.png (or .jpg)
#   art/<group>.py   a script that writes pictures: `python3 <group>.py --list` prints the keys
#                    it makes, one per line; `python3 <group>.py <dir>` writes <dir>/<key>.svg
#                    for each of them. Shared drawing code lives in art/lib/.
#
# An edit of the art redraws and rasterises only what it changed, without configuring again:
# a script depends on the modules of art/ it loads (it writes their list as a depfile), leaves
# an unchanged SVG untouched (Ninja then skips its picture), and the check after staging
# looks again only at the pictures that changed (tools/verify_pictures.py).
#
# rsvg-convert sees only the fonts named in fonts.conf, so text in pictures is set in the
# game's own typeface and nothing else is substituted silently.
#
# The full render of each picture lands in <build>/art/<key>.png; what is staged is stored
# for the start-up, which decodes every picture before the first frame (measure it with
# drennmoor-bench --pictures and --startup). assets/textures.json says how, per picture:
#   - "crop": [x, y, w, h] keeps only that part of the render: what a scene can ever show
#     of it with any opacity (tools/crop_pictures.py computes it, and moves the sprite's
#     origin so that nothing moves on screen). The game ignores the member.
#   - a file ending in .jpg is stored as JPEG, quality 95 without chroma subsampling (PSNR
#     48-52 dB against the PNG, under the vignette's grain): for opaque pictures with fine
#     detail, which decode in about half the time of the PNG.
#   - any other file is a PNG written again by ImageMagick with zlib level 9 and no row
#     filters: the game's decoder unfilters rsvg-convert's adaptive (Paeth) rows about
#     40 % slower, and the file grows by about a tenth. Lossless.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
# Debian's ImageMagick (package imagemagick), not a stand-in of the same name on the PATH.
find_program(MAGICK_CONVERT convert PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT MAGICK_CONVERT)
  find_program(MAGICK_CONVERT convert REQUIRED)
endif()
include(cmake/Python3.cmake)

set(TEXTURES_FILE ${CMAKE_SOURCE_DIR}/assets/textures.json)
file(READ ${TEXTURES_FILE} TEXTURES_JSON)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TEXTURES_FILE})

set(ART_DIR ${CMAKE_SOURCE_DIR}/art)
set(ART_BUILD ${CMAKE_BINARY_DIR}/art)
set(IMAGE_DIR ${GAME_DIR}/assets/images)
file(MAKE_DIRECTORY ${ART_BUILD} ${IMAGE_DIR})
configure_file(${CMAKE_SOURCE_DIR}/cmake/fonts.conf.in ${ART_BUILD}/fonts.conf @ONLY)
set(RSVG ${CMAKE_COMMAND} -E env FONTCONFIG_FILE=${ART_BUILD}/fonts.conf ${RSVG_CONVERT})

file(GLOB ART_SVGS CONFIGURE_DEPENDS ${ART_DIR}/*.svg)
file(GLOB ART_SCRIPTS CONFIGURE_DEPENDS ${ART_DIR}/*.py)
# The desktop icon is no picture of the film: Package.cmake draws it for the package.
list(FILTER ART_SCRIPTS EXCLUDE REGEX "/icon\\.py$")
set(PICTURES)

# The ImageMagick arguments that store picture `key` as assets/textures.json says, in
# `arguments`, and the staged file, in `staged`.
function(picture_storage key arguments staged)
  string(JSON file ERROR_VARIABLE unlisted GET "${TEXTURES_JSON}" textures ${key} file)
  if(unlisted)
    set(file assets/images/${key}.png)
  endif()
  set(stored)
  string(JSON box ERROR_VARIABLE whole GET "${TEXTURES_JSON}" textures ${key} crop)
  if(NOT whole)
    string(JSON x GET "${box}" 0)
    string(JSON y GET "${box}" 1)
    string(JSON w GET "${box}" 2)
    string(JSON h GET "${box}" 3)
    list(APPEND stored -crop ${w}x${h}+${x}+${y} +repage)
  endif()
  list(APPEND stored -strip)
  if(file MATCHES "\\.jpg$")
    list(APPEND stored -quality 95 -sampling-factor 1x1)
  else()
    # Quality 91: zlib level 9 and one row filter throughout, which ImageMagick 6 writes
    # as no filter at all.
    list(APPEND stored -quality 91)
  endif()
  set(${arguments} ${stored} PARENT_SCOPE)
  set(${staged} ${GAME_DIR}/${file} PARENT_SCOPE)
endfunction()

# Rasterises `svg` to <build>/art/<key>.png and stages it as picture_storage says; appends
# the staged file to PICTURES.
function(add_picture key svg)
  set(full ${ART_BUILD}/${key}.png)
  picture_storage(${key} stored staged)
  add_custom_command(OUTPUT ${staged}
    COMMAND ${RSVG} -o ${full} ${svg}
    COMMAND ${MAGICK_CONVERT} ${full} ${stored} ${staged}
    DEPENDS ${svg} ${ART_BUILD}/fonts.conf
    COMMENT "Picture ${key}" VERBATIM)
  set(PICTURES ${PICTURES} ${staged} PARENT_SCOPE)
endfunction()

foreach(svg ${ART_SVGS})
  get_filename_component(key ${svg} NAME_WE)
  add_picture(${key} ${svg})
endforeach()

foreach(script ${ART_SCRIPTS})
  get_filename_component(group ${script} NAME_WE)
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
  # The keys as configured: the script writes this file anew when it draws others, which
  # configures the build again (the script's own edits do not).
  set(keys_file ${ART_BUILD}/${group}.keys)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${keys_file})
  string(REPLACE ";" "\n" keys_text "${keys}")
  file(CONFIGURE OUTPUT ${keys_file} CONTENT "${keys_text}\n")
  set(svgs)
  foreach(key ${keys})
    list(APPEND svgs ${ART_BUILD}/${key}.svg)
  endforeach()
  # The depfile names the first output as Ninja does, from the build folder.
  list(GET svgs 0 first_svg)
  file(RELATIVE_PATH first_svg ${CMAKE_BINARY_DIR} ${first_svg})
  add_custom_command(OUTPUT ${svgs}
    COMMAND ${PYTHON3} ${script} ${ART_BUILD} --depfile ${ART_BUILD}/${group}.d ${first_svg} --keys ${keys_file}
    WORKING_DIRECTORY ${ART_DIR}
    DEPENDS ${script}
    DEPFILE ${ART_BUILD}/${group}.d
    COMMENT "Drawing ${group}" VERBATIM)
  foreach(key ${keys})
    add_picture(${key} ${ART_BUILD}/${key}.svg)
  endforeach()
endforeach()

# The staged pictures checked against their renders and the registry files
# (tools/verify_pictures.py): a crop that loses a visible pixel or moves a picture fails
# the build, one line per fault. The file it writes records the pictures that passed, so
# that only what changed is read again.
set(VERIFIED ${ART_BUILD}/pictures.verified)
set(VERIFIER ${CMAKE_SOURCE_DIR}/tools/verify_pictures.py)
add_custom_command(OUTPUT ${VERIFIED}
  COMMAND ${PYTHON3} ${VERIFIER} ${CMAKE_BINARY_DIR} ${GAME_DIR} --record ${VERIFIED}
  DEPENDS ${PICTURES} ${VERIFIER} ${TEXTURES_FILE} ${CMAKE_SOURCE_DIR}/assets/sprites.json
  COMMENT "Checking the staged pictures" VERBATIM)
add_custom_target(pictures ALL DEPENDS ${PICTURES} ${VERIFIED})
