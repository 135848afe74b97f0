# Debian's Python (package python3) for the scripts that draw the pictures and the icon, not a
# stand-in of the same name on the PATH; any python3 on the PATH where there is none.
include_guard(GLOBAL)
find_program(PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT PYTHON3)
  find_program(PYTHON3 python3 REQUIRED)
endif()
