# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack before it builds the Debian package.

# Without dpkg-shlibdeps CPack would quietly make a package that lacks its
# library dependencies and cannot start where Qt is not installed already;
# `file` is what CPack finds the programs among the files with.
cmake_policy(PUSH)
cmake_policy(SET CMP0109 NEW)  # only a file that can run counts as found
foreach(tool IN ITEMS dpkg-shlibdeps file)
  find_program(_ventbox_found_${tool} ${tool} NO_CACHE)
  if(NOT _ventbox_found_${tool})
    message(FATAL_ERROR "${tool} is missing, and without it the package would "
      "lack its library dependencies. Install what packaging needs with: "
      "bash scripts/install-deps.sh package")
  endif()
endforeach()
cmake_policy(POP)

# The archive names its files in UTF-8 (小型パイプダクト.dat among the
# examples), which libarchive can only do under a UTF-8 locale, whatever
# locale cpack was started in.
set(ENV{LC_ALL} C.UTF-8)

# Every time stamp in the package is this moment, so that two builds of one
# source give the same bytes: the caller's SOURCE_DATE_EPOCH, else the last
# commit's time, else (no git, or a clone git refuses to read) the time of the
# changelog's latest entry.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  execute_process(COMMAND git -C "${CPACK_VENTBOX_SOURCE_DIR}" log -1 --format=%ct
    OUTPUT_VARIABLE _ventbox_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE _ventbox_git_failed ERROR_QUIET)
  if(_ventbox_git_failed OR NOT _ventbox_epoch MATCHES "^[0-9]+$")
    execute_process(COMMAND dpkg-parsechangelog -l "${CPACK_VENTBOX_CHANGELOG}" -S Timestamp
      OUTPUT_VARIABLE _ventbox_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${_ventbox_epoch}")
endif()
