# The Windows installer (CPack's NSIS generator, Debian's nsis package) and a
# portable .zip of the same files: the two programs, the Qt DLLs and plugins
# they need and nothing else (cmake/WindowsRuntime.cmake), and the version
# history page, all in one folder. The installer adds a Start-menu entry and an
# uninstaller, and offers Tachlet in Explorer's "Open with" for .gtp files
# through an OpenWithProgids entry: the default program of the type, which
# PASS owns, stays as it is. The user's settings
# (HKEY_CURRENT_USER\Software\Tachlet) are left when it is uninstalled.
#   cpack -G "NSIS;ZIP" in the build folder (scripts/windows.sh does it)
if(TARGET tachlet)
  # The copies beside the program in the build tree (stripped there).
  foreach(file ${TACHLET_QT_RUNTIME})
    cmake_path(GET file FILENAME base)
    install(FILES $<TARGET_FILE_DIR:tachlet>/${base} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
  install(FILES ${TACHLET_QT_PLATFORM_PLUGINS} DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
  install(FILES ${TACHLET_QT_STYLE_PLUGINS} DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
endif()

set(CPACK_PACKAGE_NAME Tachlet)
set(CPACK_PACKAGE_VENDOR "The Tachlet team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the run files of PASS")
set(CPACK_PACKAGE_FILE_NAME tachlet-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tachlet)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tachlet)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "NSIS;ZIP")
# A 64-bit installer, as the programs are: it then also runs where 32-bit
# programs cannot (Wine without its 32-bit part).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME Tachlet)
set(CPACK_NSIS_PACKAGE_NAME Tachlet)
set(CPACK_NSIS_URL_INFO_ABOUT https://tachlet.example.org/)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME tachlet.exe)
set(CPACK_PACKAGE_EXECUTABLES tachlet Tachlet)

# The file type's entries, in files of their own: CPack passes these texts on
# without keeping their quotes.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!include '${CMAKE_CURRENT_SOURCE_DIR}/windows/register.nsh'")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!include '${CMAKE_CURRENT_SOURCE_DIR}/windows/unregister.nsh'")
include(CPack)
