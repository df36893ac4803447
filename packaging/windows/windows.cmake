# The Windows installation: the program with the Qt libraries and plugins it needs beside it
# (windeployqt), and CPack's ZIP and NSIS installer of it. The installer's Start-menu entry
# starts the program with --user-folder, so that it works in Documents\Grimtally, seeded once
# with the set of the user's language, never in the read-only program folder.

if(TARGET grimtally)
  get_target_property(qmake Qt6::qmake IMPORTED_LOCATION)
  get_filename_component(qt_bin ${qmake} DIRECTORY)
  find_program(WINDEPLOYQT_EXECUTABLE windeployqt HINTS ${qt_bin})
  if(WINDEPLOYQT_EXECUTABLE)
    install(CODE "
      execute_process(COMMAND \"${WINDEPLOYQT_EXECUTABLE}\" --no-translations
        \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:grimtally>\"
        COMMAND_ERROR_IS_FATAL ANY)")
  else()
    message(WARNING "windeployqt was not found beside qmake: the installation will lack Qt")
  endif()
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Grimtally)
set(CPACK_PACKAGE_VENDOR "Grimtally developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Collection of enemies for the Marrowfane RPG")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Grimtally)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_DISPLAY_NAME Grimtally)
set(CPACK_NSIS_PACKAGE_NAME Grimtally)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/grimtally.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/packaging/icons/grimtally.ico)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
if(TARGET grimtally)
  set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\grimtally.exe")
  set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Grimtally.lnk' '$INSTDIR\\\\bin\\\\grimtally.exe' '--user-folder'")
  set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$START_MENU\\\\Grimtally.lnk'")
endif()
include(CPack)
