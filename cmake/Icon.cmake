# The game's icon, drawn from the film's cog (art/icon.py) as <folder>/icon.svg and rasterised
# by rsvg-convert at each size the package or the Windows release asks for:
#   add_icon_pictures(<folder> <comment> <size> <png> [<size> <png> ...])
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/Python3.cmake)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

function(add_icon_pictures folder comment)
  set(outputs ${folder}/icon.svg)
  set(rasterise)
  set(pairs ${ARGN})
  while(pairs)
    list(POP_FRONT pairs size png)
    list(APPEND outputs ${png})
    list(APPEND rasterise COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${folder}/icon.svg)
  endwhile()
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/art/icon.py ${folder}
    ${rasterise}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/art
    DEPENDS ${CMAKE_SOURCE_DIR}/art/icon.py ${CMAKE_SOURCE_DIR}/art/cog.py ${CMAKE_SOURCE_DIR}/art/lib/machinery.py
    COMMENT "${comment}" VERBATIM)
endfunction()
