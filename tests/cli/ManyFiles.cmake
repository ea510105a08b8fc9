# tachlet-cli over 3,000 run files, more than a Windows command line can name
# (32,767 characters): copies of the example run files in 30 dated folders,
# named in a list by lines. The first folder's files, named in a list by NULs
# on standard input and found by walking the folder, must give the same
# report as their lines of it. (Under Wine each file costs milliseconds of
# round trips to its server, so the whole tree is read once.)
#   cmake -D EMULATOR=... -D PROGRAM=... -D EXAMPLES=dir -D FOLDER=dir -P ManyFiles.cmake
set(ENV{LC_ALL} C.UTF-8)
file(REMOVE_RECURSE "${FOLDER}")
set(examples TRACK.GTP STREET.GTP DAMAGED.GTP EMPTY.GTP)
set(lines "")
foreach(day RANGE 101 130)
  string(SUBSTRING ${day} 1 2 day)
  file(MAKE_DIRECTORY "${FOLDER}/runs/2024-06-${day}")
  foreach(run RANGE 100 199)
    math(EXPR pick "${run} % 4")
    list(GET examples ${pick} example)
    set(path "runs/2024-06-${day}/run${run}.GTP")
    file(COPY_FILE "${EXAMPLES}/${example}" "${FOLDER}/${path}")
    string(APPEND lines "${path}\n")
  endforeach()
  if(day STREQUAL "01")
    file(WRITE "${FOLDER}/first.txt" "${lines}")
  endif()
endforeach()
file(WRITE "${FOLDER}/list.txt" "${lines}")
# CMake's strings hold no NUL: tr turns each line break into one.
execute_process(COMMAND tr "\\n" "\\000" INPUT_FILE "${FOLDER}/first.txt" OUTPUT_FILE "${FOLDER}/list0"
  COMMAND_ERROR_IS_FATAL ANY)

function(check name)
  execute_process(COMMAND ${EMULATOR} ${PROGRAM} check ${ARGN} WORKING_DIRECTORY "${FOLDER}"
    INPUT_FILE "${FOLDER}/list0" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  # A walked folder is joined with the system's separator.
  string(REPLACE "\\" "/" out "${out}")
  if(NOT status EQUAL 1 OR NOT err STREQUAL "")
    message(FATAL_ERROR "check ${ARGN} ended with ${status}:\n${err}")
  endif()
  set(${name} "${out}" PARENT_SCOPE)
endfunction()
check(byLines --files-from list.txt)
check(byNuls --files-from - -0)
check(walked runs/2024-06-01)
string(REGEX MATCH "[^\n]*\n$" tally "${byLines}")
if(NOT tally STREQUAL "3000 files: 2250 ok, 750 damaged, 0 short, 0 unreadable\n")
  message(FATAL_ERROR "tally of the list: ${tally}")
endif()
string(REPLACE "\n" ";" reported "${byLines}")
list(SUBLIST reported 0 100 first)
list(JOIN first "\n" first)
set(first "${first}\n100 files: 75 ok, 25 damaged, 0 short, 0 unreadable\n")
if(NOT byNuls STREQUAL first OR NOT walked STREQUAL first)
  message(FATAL_ERROR "the list by NULs or the walk reports otherwise than the list by lines:\n${byNuls}\n${walked}")
endif()
