# Installing on Windows: one folder holding both programs with the help page
# and the examples beside them (help/, examples/: the first places the
# programs look, ui/tools/help_page.h), so the folder runs wherever it is
# unpacked. scripts/windows.sh zips it and wraps it in the NSIS installer.
install(TARGETS tarvelo-cli RUNTIME DESTINATION .)
if(TARGET tarvelo)
  install(TARGETS tarvelo RUNTIME DESTINATION .)
  install(FILES ${PROJECT_BINARY_DIR}/app/tarvelo.ico DESTINATION .)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION help)
if(EXISTS ${PROJECT_SOURCE_DIR}/examples)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION . RENAME copyright.txt)
