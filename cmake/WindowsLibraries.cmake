# What a Windows build (./game.sh windows) links: SFML and its libraries built for Windows
# into the prefix given in CMAKE_PREFIX_PATH (packaging/windows/libraries.sh), and the
# header-only libraries of Debian's own -dev packages. The game alone is built: no tools,
# tests, fuzz targets or Debian package.
enable_language(C)
enable_language(RC)
set(DRENNMOOR_TESTS OFF CACHE BOOL "" FORCE)

# SFML is linked statically; OpenAL-Soft stays a DLL, whose import library SFML's own search
# does not find by its name.
set(SFML_STATIC_LIBRARIES TRUE)
find_library(OpenAL_LIB NAMES OpenAL32 REQUIRED)
# The linker orders a program's imported DLLs by the paths of their import libraries: linked
# from a copy in the build folder, which the link line names relative to it, the program is
# the same whatever the path of the libraries' cache.
if(NOT OpenAL_LIB MATCHES "^${CMAKE_BINARY_DIR}/")
  file(COPY ${OpenAL_LIB} DESTINATION ${CMAKE_BINARY_DIR}/windows-lib)
  get_filename_component(name ${OpenAL_LIB} NAME)
  set(OpenAL_LIB ${CMAKE_BINARY_DIR}/windows-lib/${name} CACHE FILEPATH "OpenAL's import library" FORCE)
endif()
# The same copy for the game's own search (FindOpenAL).
set(OPENAL_LIBRARY ${OpenAL_LIB} CACHE FILEPATH "OpenAL's import library" FORCE)

# Only the folders of the two header-only libraries are linked into an include folder of the
# build: the build machine's /usr/include as a whole would hide MinGW's C headers.
set(WINDOWS_INCLUDE ${CMAKE_BINARY_DIR}/windows-include)
file(MAKE_DIRECTORY ${WINDOWS_INCLUDE})
foreach(library nlohmann stb)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "/usr/include/${library} is missing: its Debian -dev package is not installed")
  endif()
  file(CREATE_LINK /usr/include/${library} ${WINDOWS_INCLUDE}/${library} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${WINDOWS_INCLUDE})

# Debian's libstb.a is a Linux library: the decoder is compiled from its header instead.
file(WRITE ${CMAKE_BINARY_DIR}/stb_image.c "#define STB_IMAGE_IMPLEMENTATION\n#include <stb/stb_image.h>\n")
add_library(stb_image STATIC ${CMAKE_BINARY_DIR}/stb_image.c)
target_include_directories(stb_image PUBLIC ${WINDOWS_INCLUDE})
# Not the game's code: its warnings are stb's own.
target_compile_options(stb_image PRIVATE -w)
set(STB_LIBRARY stb_image)
