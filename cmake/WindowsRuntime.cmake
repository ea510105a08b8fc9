# What a program of the window needs beside it on Windows, and nothing more:
# Qt's DLLs, the MinGW-w64 runtime those DLLs link (the programs themselves
# link theirs statically), and Qt's plugins in the folders Qt looks in beside
# the program (platforms/, styles/).
#   tachlet_windows_runtime(NAME FOLDER [TEST])
# makes the target NAME that copies them into FOLDER; TEST adds Qt's test
# library and the offscreen platform the tests run on.

foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  cmake_path(NORMAL_PATH found)
  if(NOT EXISTS "${found}")
    message(FATAL_ERROR "MinGW-w64's ${dll} was not found (${found})")
  endif()
  list(APPEND TACHLET_MINGW_RUNTIME ${found})
endforeach()

# The program's set, which the installer carries too.
set(TACHLET_QT_RUNTIME
  ${TACHLET_QT_DIR}/bin/Qt6Core.dll ${TACHLET_QT_DIR}/bin/Qt6Gui.dll ${TACHLET_QT_DIR}/bin/Qt6Widgets.dll
  ${TACHLET_MINGW_RUNTIME})
set(TACHLET_QT_PLATFORM_PLUGINS ${TACHLET_QT_DIR}/plugins/platforms/qwindows.dll)
set(TACHLET_QT_STYLE_PLUGINS ${TACHLET_QT_DIR}/plugins/styles/qwindowsvistastyle.dll)

function(tachlet_windows_runtime name folder)
  set(dlls ${TACHLET_QT_RUNTIME})
  set(platforms ${TACHLET_QT_PLATFORM_PLUGINS})
  if(ARGN STREQUAL "TEST")
    list(APPEND dlls ${TACHLET_QT_DIR}/bin/Qt6Test.dll)
    list(APPEND platforms ${TACHLET_QT_DIR}/plugins/platforms/qoffscreen.dll)
  endif()
  set(outputs)
  set(mingw_copies)
  foreach(file ${TACHLET_MINGW_RUNTIME})
    cmake_path(GET file FILENAME base)
    list(APPEND mingw_copies ${folder}/${base})
  endforeach()
  foreach(file ${dlls})
    cmake_path(GET file FILENAME base)
    list(APPEND outputs ${folder}/${base})
  endforeach()
  foreach(file ${platforms})
    cmake_path(GET file FILENAME base)
    list(APPEND outputs ${folder}/platforms/${base})
  endforeach()
  foreach(file ${TACHLET_QT_STYLE_PLUGINS})
    cmake_path(GET file FILENAME base)
    list(APPEND outputs ${folder}/styles/${base})
  endforeach()
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/platforms ${folder}/styles
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dlls} ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${platforms} ${folder}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TACHLET_QT_STYLE_PLUGINS} ${folder}/styles
    # Debian ships MinGW-w64's runtime with its symbols: 24 MB, 3 without.
    COMMAND ${CMAKE_STRIP} --strip-unneeded ${mingw_copies}
    DEPENDS ${dlls} ${platforms} ${TACHLET_QT_STYLE_PLUGINS}
    VERBATIM)
  add_custom_target(${name} DEPENDS ${outputs})
endfunction()
