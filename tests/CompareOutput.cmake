# Runs one program and compares its standard output with a file of expected
# output; the program must end with exit code 0.
#   cmake -D EMULATOR=... -D PROGRAM=... -D ARGS=a;b -D EXPECTED=file -P CompareOutput.cmake
# EMULATOR is empty for a program of this system and wine for a Windows one,
# so the same expected file holds both builds to the same output.
# execute_process reads CR LF line ends as LF: a Windows program writing text
# lines in the system's way prints the same output.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS}
  OUTPUT_VARIABLE actual RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ${ARGS} ended with ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output of ${PROGRAM} ${ARGS} differs from ${EXPECTED}:\n${actual}")
endif()
