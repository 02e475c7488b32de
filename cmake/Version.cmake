# The game's version: the project version, and what git describe says when the
# source is a git checkout. Everything that shows a version takes it from here.
set(VELMORA_VERSION_TEXT ${PROJECT_VERSION})
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} describe --tags --always
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE git_describe OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_result ERROR_QUIET)
  if(git_result EQUAL 0 AND git_describe)
    set(VELMORA_VERSION_TEXT "${PROJECT_VERSION} (${git_describe})")
    # A new commit configures again, so the version never lags behind.
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path logs/HEAD
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE git_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    get_filename_component(git_log ${git_log} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
    if(EXISTS ${git_log})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_log})
    endif()
  endif()
endif()
