# The Windows download: one zip with the editor, the tool and the readme side by side,
# without a folder of its own (the editor keeps its settings file beside itself).
install(TARGETS quelmarn RUNTIME DESTINATION .)
if(TARGET quelmarn-cli)
  install(TARGETS quelmarn-cli RUNTIME DESTINATION .)
endif()
# The readme names the version and has Windows line ends, which every Notepad shows.
configure_file(${PROJECT_SOURCE_DIR}/docs/readme.txt ${PROJECT_BINARY_DIR}/readme.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/readme.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUELMARN_PACKAGE_PLATFORM win64)
else()
  set(QUELMARN_PACKAGE_PLATFORM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quelmarn)
set(CPACK_PACKAGE_FILE_NAME quelmarn-${PROJECT_VERSION}-${QUELMARN_PACKAGE_PLATFORM})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
