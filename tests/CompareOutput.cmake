# Runs one program in FOLDER and compares its standard output with the file
# EXPECTED, its exit code with EXIT and, given ERRORS, its standard error with
# that file. With COPY the folder is made afresh, holding copies of the
# sources under the names given; each file named in WRITTEN must then hold
# the bytes of its expected file.
#   cmake -D EMULATOR=... -D PROGRAM=... -D ARGS=a;b -D EXPECTED=file -D EXIT=0 -D FOLDER=dir
#         [-D ERRORS=file] [-D COPY=source;name;... -D WRITTEN=name;expected-file;...] -P CompareOutput.cmake
# EMULATOR is empty for a program of this system and wine for a Windows one,
# so one expected file holds both builds to the same output; execute_process
# reads CR LF as LF. Wine spells a Windows program's names and arguments in
# the locale's character set, and only UTF-8 carries every name intact.
set(ENV{LC_ALL} C.UTF-8)

if(COPY)
  file(REMOVE_RECURSE "${FOLDER}")
  while(COPY)
    list(POP_FRONT COPY source name)
    get_filename_component(into "${FOLDER}/${name}" DIRECTORY)
    file(MAKE_DIRECTORY "${into}")
    file(COPY_FILE "${source}" "${FOLDER}/${name}")
  endwhile()
endif()

execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS} WORKING_DIRECTORY "${FOLDER}"
  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
file(READ "${EXPECTED}" expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output of ${PROGRAM} ${ARGS} differs from ${EXPECTED}:\n${actual}")
endif()
if(ERRORS)
  file(READ "${ERRORS}" expectedErrors)
  if(NOT errors STREQUAL expectedErrors)
    message(FATAL_ERROR "standard error of ${PROGRAM} ${ARGS} differs from ${ERRORS}:\n${errors}")
  endif()
endif()
if(NOT status EQUAL EXIT)
  message(FATAL_ERROR "${PROGRAM} ${ARGS} ended with ${status}, not ${EXIT}")
endif()

while(WRITTEN)
  list(POP_FRONT WRITTEN name expectedFile)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${FOLDER}/${name}" "${expectedFile}"
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs from ${expectedFile} after ${PROGRAM} ${ARGS}")
  endif()
endwhile()
