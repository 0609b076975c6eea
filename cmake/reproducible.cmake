# Reproducible builds: one commit gives the same bytes whatever the folder and the hour of the
# build. Every time stamp that goes into a file is SOURCE_DATE_EPOCH: the caller's
# (dpkg-buildpackage takes it from debian/changelog) or else the last commit's time. Outside a git
# clone, with no SOURCE_DATE_EPOCH given, the files' own times are used.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(FLURB_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(
      COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE FLURB_SOURCE_DATE_EPOCH
      OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET)
  endif()
endif()

# The PE linker writes the time of linking into the program's header (and so into its checksum);
# a zero stands in for it, as Windows reads nothing from it.
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
endif()

if(NOT FLURB_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  unset(FLURB_SOURCE_DATE_EPOCH)
  return()
endif()
# Every custom build step runs with it (Makefile and Ninja generators): Qt's resource compiler
# stores each picture's file time in the program unless SOURCE_DATE_EPOCH stands in for it.
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
             "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${FLURB_SOURCE_DATE_EPOCH}")
