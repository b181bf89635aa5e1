# cmake --install puts the selector under bin/; cpack makes the ZIP that a
# maker downloads, with a note that names the folder this build writes to,
# and its SHA-256 beside it.
install(TARGETS selector RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

if(WIN32)
  configure_file("${PROJECT_SOURCE_DIR}/cmake/README.txt.in"
                 "${PROJECT_BINARY_DIR}/README.txt" @ONLY NEWLINE_STYLE WIN32)
  install(FILES "${PROJECT_BINARY_DIR}/README.txt" DESTINATION .)
endif()

# The ZIP's entries are dated from the sources, not from the build, so that
# one commit always gives the same ZIP: SOURCE_DATE_EPOCH if set, else the
# commit's date, else a fixed date for sources outside git.
set(source_date_epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT source_date_epoch)
  find_package(Git QUIET)
  if(Git_FOUND)
    execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
                    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                    OUTPUT_VARIABLE source_date_epoch
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()
if(NOT source_date_epoch MATCHES "^[0-9]+$")
  set(source_date_epoch 1767225600) # 2026-01-01 00:00 UTC
endif()
configure_file("${PROJECT_SOURCE_DIR}/cmake/CPackOptions.cmake.in"
               "${PROJECT_BINARY_DIR}/CPackOptions.cmake" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackOptions.cmake")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
