# What makes a release file the same to the byte from any clone, in any folder, at any time:
# no build path is written into a program (its debug information and its build id, which
# hashes the debug information, included), and a Windows program's header has no link time.
# The archives' times come from SOURCE_DATE_EPOCH, the last commit's time (./game.sh release).
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
  -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
