# Fails when a source under FOLDER includes a file by a path that climbs out of
# its own folder ("../game/Session.h"): the compiler looks beside the including
# file before any include path, so the layers' views cannot stop such a path.
# cmake -DFOLDER=<dir> -P RelativeIncludes.cmake
file(GLOB_RECURSE sources ${FOLDER}/*.cpp ${FOLDER}/*.h ${FOLDER}/*.in)
set(found "")
foreach(source ${sources})
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
  foreach(line ${lines})
    string(APPEND found "\n  ${source}: ${line}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "these includes leave their folder by a relative path; name the "
                      "folder from src/ instead, as the layers allow:${found}")
endif()
