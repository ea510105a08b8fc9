# Runs one program and compares its standard output with a file of expected
# output, and its exit code with the one expected (0 unless EXIT says):
#   cmake -D EMULATOR=... -D PROGRAM=... -D ARGS=a;b -D EXPECTED=file -D FOLDER=dir [-D EXIT=1]
#         [-D ERRORS=file] [-D COPY=source;name;... -D WRITTEN=name;expected-file;...] -P CompareOutput.cmake
# With ERRORS, standard error must hold that file's text; without, it is
# not looked at.
# EMULATOR is empty for a program of this system and wine for a Windows one,
# so the same expected file holds both builds to the same output.
# execute_process reads CR LF line ends as LF: a Windows program writing text
# lines in the system's way prints the same output.
# The program runs in FOLDER. With COPY that folder is made afresh, with
# copies of the sources under the given names in it; each file named in
# WRITTEN must then hold the bytes of its expected file.
if(NOT DEFINED EXIT)
  set(EXIT 0)
endif()
# Wine spells the Unix names and arguments of a Windows program in the
# locale's character set, and a name outside ASCII reaches it intact only
# from UTF-8.
set(ENV{LC_ALL} C.UTF-8)

if(COPY)
  file(REMOVE_RECURSE "${FOLDER}")
  file(MAKE_DIRECTORY "${FOLDER}")
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
