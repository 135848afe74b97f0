# Hardening, as Debian builds its packages: checked buffers, stack protection, read-only
# relocations bound at start-up. Not in the sanitizer and fuzzing builds, which bring their own.
if(NOT DRENNMOOR_SANITIZE AND NOT DRENNMOOR_FUZZ)
  foreach(target drennmoor drennmoor_lib)
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>
      -fstack-protector-strong -fstack-clash-protection)
  endforeach()
  if(WIN32)
    # MinGW keeps the stack protector's and the checked functions' code in libssp.
    target_link_libraries(drennmoor PRIVATE ssp)
  else()
    # Read-only relocations are a thing of ELF programs.
    target_link_options(drennmoor PRIVATE -Wl,-z,relro -Wl,-z,now)
  endif()
endif()
