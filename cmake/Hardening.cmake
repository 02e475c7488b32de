# Debian's hardening for the optimised builds: checked string and memory
# functions, stack protection, a position-independent program and a relocation
# table made read-only before the program starts. The sanitizer and fuzzing
# builds bring checks of their own, which these would hide.
option(VELMORA_HARDEN "Build with Debian's hardening flags (not with the sanitizers or fuzzing)" ON)
if(VELMORA_HARDEN AND NOT VELMORA_SANITIZE AND NOT VELMORA_FUZZ)
  # The checked functions need the optimiser; a debug build goes without them.
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_compile_options(-fstack-protector-strong -fPIE)
  add_link_options(-pie LINKER:-z,relro,-z,now)
endif()
