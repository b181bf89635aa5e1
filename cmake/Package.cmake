# cmake --install puts the selector under bin/; cpack makes the ZIP that a
# maker downloads, with a note that names the folder this build writes to.
install(TARGETS selector RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

if(WIN32)
  configure_file("${PROJECT_SOURCE_DIR}/cmake/README.txt.in"
                 "${PROJECT_BINARY_DIR}/README.txt" @ONLY NEWLINE_STYLE WIN32)
  install(FILES "${PROJECT_BINARY_DIR}/README.txt" DESTINATION .)
endif()

set(CPACK_GENERATOR ZIP)
include(CPack)
