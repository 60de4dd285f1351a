# Runs one golden case through orvel-batch and compares what it wrote, byte for byte.
#
#   cmake -DBATCH=path/to/orvel-batch -DCASE=NAME -DSOURCE=tests/golden -DWORK=scratch/dir
#         -P run_golden.cmake
#
# The case's files are copied into a fresh folder WORK/NAME, where orvel-batch runs with
#   [ARGS from NAME.args, one per line] [--answers NAME.answers] DATA NAME.ovm
# DATA is NAME.txt, else NAME.ovd, else empty.txt. Standard output must equal NAME.expected;
# standard error NAME.expected_err (an absent file means nothing); the exit status
# NAME.expected_status (absent means 0). Set -DUPDATE=ON to write the actual outputs over the
# expected files instead (check them by hand before committing them).
cmake_minimum_required(VERSION 3.20)

foreach(var BATCH CASE SOURCE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_golden.cmake needs -D${var}=...")
  endif()
endforeach()

set(dir "${WORK}/${CASE}")
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}")
file(GLOB case_files "${SOURCE}/${CASE}.*")
file(COPY ${case_files} DESTINATION "${dir}")

if(EXISTS "${SOURCE}/${CASE}.txt")
  set(data "${CASE}.txt")
elseif(EXISTS "${SOURCE}/${CASE}.ovd")
  set(data "${CASE}.ovd")
else()
  file(COPY "${SOURCE}/empty.txt" DESTINATION "${dir}")
  set(data "empty.txt")
endif()

set(args "")
if(EXISTS "${SOURCE}/${CASE}.args")
  file(STRINGS "${SOURCE}/${CASE}.args" args)
endif()
if(EXISTS "${SOURCE}/${CASE}.answers")
  list(APPEND args --answers "${CASE}.answers")
endif()

execute_process(
  COMMAND "${BATCH}" ${args} "${data}" "${CASE}.ovm"
  WORKING_DIRECTORY "${dir}"
  OUTPUT_FILE "${dir}/actual.out"
  ERROR_FILE "${dir}/actual.err"
  RESULT_VARIABLE status
  TIMEOUT 60)

set(expected_status 0)
if(EXISTS "${SOURCE}/${CASE}.expected_status")
  file(STRINGS "${SOURCE}/${CASE}.expected_status" expected_status LIMIT_COUNT 1)
  string(STRIP "${expected_status}" expected_status)
endif()

if(UPDATE)
  configure_file("${dir}/actual.out" "${SOURCE}/${CASE}.expected" COPYONLY)
  file(SIZE "${dir}/actual.err" err_size)
  if(err_size GREATER 0)
    configure_file("${dir}/actual.err" "${SOURCE}/${CASE}.expected_err" COPYONLY)
  else()
    file(REMOVE "${SOURCE}/${CASE}.expected_err")
  endif()
  if(status STREQUAL "0")
    file(REMOVE "${SOURCE}/${CASE}.expected_status")
  else()
    file(WRITE "${SOURCE}/${CASE}.expected_status" "${status}\n")
  endif()
  message(STATUS "${CASE}: expected files rewritten (status ${status}); check them by hand")
  return()
endif()

find_program(DIFF diff)
set(failed FALSE)

# Compares `actual` with `expected` (an absent expected file stands for no bytes at all).
function(compare what actual expected)
  set(want "${expected}")
  if(NOT EXISTS "${expected}")
    set(want "${dir}/empty.expected")
    file(WRITE "${want}" "")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${want}" "${actual}" RESULT_VARIABLE differs)
  if(differs)
    set(failed TRUE PARENT_SCOPE)
    message("---- ${CASE}: ${what} differs from ${expected}")
    if(DIFF)
      execute_process(COMMAND "${DIFF}" -u --label expected --label actual "${want}" "${actual}")
    else()
      file(READ "${want}" want_text)
      file(READ "${actual}" actual_text)
      message("expected:\n${want_text}\nactual:\n${actual_text}")
    endif()
  endif()
endfunction()

compare("standard output" "${dir}/actual.out" "${SOURCE}/${CASE}.expected")
compare("standard error" "${dir}/actual.err" "${SOURCE}/${CASE}.expected_err")
if(NOT status STREQUAL expected_status)
  set(failed TRUE)
  message("---- ${CASE}: exit status ${status}, expected ${expected_status}")
endif()
# NAME.files: files the run must write, one "PATH HEXPREFIX" a line: each must exist, be
# non-empty and begin with those bytes (a graph file's signature); its bytes are not compared.
if(EXISTS "${SOURCE}/${CASE}.files")
  file(STRINGS "${SOURCE}/${CASE}.files" written)
  foreach(line ${written})
    string(REGEX MATCH "^(.+) ([0-9a-f]+)$" ok "${line}")
    if(NOT ok)
      continue()
    endif()
    set(path "${CMAKE_MATCH_1}")
    set(magic "${CMAKE_MATCH_2}")
    string(LENGTH "${magic}" hex_length)
    math(EXPR byte_length "${hex_length} / 2")
    if(NOT EXISTS "${dir}/${path}")
      set(failed TRUE)
      message("---- ${CASE}: ${path} was not written")
      continue()
    endif()
    file(READ "${dir}/${path}" head LIMIT ${byte_length} HEX)
    if(NOT head STREQUAL magic)
      set(failed TRUE)
      message("---- ${CASE}: ${path} begins with ${head}, expected ${magic}")
    endif()
  endforeach()
endif()
if(failed)
  message(FATAL_ERROR "golden case ${CASE} failed (its run is kept in ${dir})")
endif()
