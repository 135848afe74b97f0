# The Windows release: drennmoor.exe for the GUI subsystem (no console window; a redirected
# standard error still gets the diagnostics) with the cog icon and version information, and
# the zip a player unpacks: build-windows/Drennmoor-<version>-windows-x64.zip.
set_target_properties(drennmoor PROPERTIES WIN32_EXECUTABLE TRUE)
# The C++ and thread runtimes are linked in, so OpenAL32.dll is the one DLL beside the exe.
target_link_options(drennmoor PRIVATE -static)

# The icon is the package's, drawn from the film's cog, at the sizes Windows asks for.
set(WINDOWS_BUILD ${CMAKE_BINARY_DIR}/windows)
set(ICON_SIZES 16 32 48 256)
set(ICON_PNGS)
set(ICON_PICTURES)
foreach(size ${ICON_SIZES})
  list(APPEND ICON_PNGS ${WINDOWS_BUILD}/icon-${size}.png)
  list(APPEND ICON_PICTURES ${size} ${WINDOWS_BUILD}/icon-${size}.png)
endforeach()
include(cmake/Icon.cmake)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)
find_program(STRIP_NONDETERMINISM strip-nondeterminism REQUIRED)
add_icon_pictures(${WINDOWS_BUILD} "Drawing the Windows icon" ${ICON_PICTURES})
add_custom_command(OUTPUT ${WINDOWS_BUILD}/drennmoor.ico
  COMMAND ${IMAGEMAGICK_CONVERT} ${ICON_PNGS} ${WINDOWS_BUILD}/drennmoor.ico
  DEPENDS ${ICON_PNGS}
  COMMENT "Packing the Windows icon" VERBATIM)
set(DRENNMOOR_ICON ${WINDOWS_BUILD}/drennmoor.ico)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/drennmoor.rc.in ${WINDOWS_BUILD}/drennmoor.rc @ONLY)
target_sources(drennmoor PRIVATE ${WINDOWS_BUILD}/drennmoor.rc)
set_source_files_properties(${WINDOWS_BUILD}/drennmoor.rc PROPERTIES OBJECT_DEPENDS ${WINDOWS_BUILD}/drennmoor.ico)

# The folder Drennmoor/ in the zip: the exe and OpenAL32.dll stripped, config.json, assets/,
# README.txt and the licence texts (the fonts' and the soundfont's are in assets/ already).
find_file(OPENAL_DLL OpenAL32.dll PATH_SUFFIXES bin REQUIRED)
get_filename_component(LIBRARY_PREFIX ${OPENAL_DLL} DIRECTORY)
get_filename_component(LIBRARY_PREFIX ${LIBRARY_PREFIX} DIRECTORY)
set(RELEASE_DIR ${WINDOWS_BUILD}/release/Drennmoor)
set(RELEASE_ZIP ${CMAKE_BINARY_DIR}/Drennmoor-${PROJECT_VERSION}-windows-x64.zip)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt.in ${WINDOWS_BUILD}/README.txt @ONLY NEWLINE_STYLE CRLF)
add_custom_target(windows_zip ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${WINDOWS_BUILD}/release ${RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${RELEASE_DIR}/licences
  COMMAND ${CMAKE_STRIP} -o ${RELEASE_DIR}/drennmoor.exe $<TARGET_FILE:drennmoor>
  COMMAND ${CMAKE_STRIP} -o ${RELEASE_DIR}/OpenAL32.dll ${OPENAL_DLL}
  COMMAND ${CMAKE_COMMAND} -E copy ${GAME_DIR}/config.json ${WINDOWS_BUILD}/README.txt ${RELEASE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAME_DIR}/assets ${RELEASE_DIR}/assets
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${LIBRARY_PREFIX}/licences ${RELEASE_DIR}/licences
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/copyright ${RELEASE_DIR}/licences/drennmoor.txt
  COMMAND ${CMAKE_COMMAND} -E chdir ${WINDOWS_BUILD}/release ${CMAKE_COMMAND} -E tar cf ${RELEASE_ZIP} --format=zip Drennmoor
  # The same bytes from any clone: entries sorted, every time the last commit's, no access or
  # creation times.
  COMMAND sh -c "\"$2\" --type zip --timestamp \"$(\"$0\")\" \"$1\""
    ${CMAKE_SOURCE_DIR}/packaging/source-date-epoch.sh ${RELEASE_ZIP} ${STRIP_NONDETERMINISM}
  DEPENDS drennmoor pictures
  COMMENT "Packing ${RELEASE_ZIP}" VERBATIM)
