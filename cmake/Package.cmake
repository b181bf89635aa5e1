# cmake --install puts the selector under bin/; cpack makes the ZIP that a
# maker downloads, with a note in French that names the folder this build
# writes to, and its SHA-256 beside it.

# The permissions are the build's, not the builder's umask, so that every
# builder packs the same ZIP.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS selector RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

if(WIN32)
  if(sketch_folder_on_desktop)
    set(folder_note "Si ce dossier n'existe pas sur votre ordinateur, le sélecteur prend à sa
place le dossier ${sketch_folder_on_desktop} de votre bureau : créez sur le bureau un
dossier « Projet Velmirac », dans celui-ci un dossier « code », et mettez-y
code.ino. L'Explorateur de fichiers montre le bureau sous le nom « Bureau » ;
si OneDrive sauvegarde votre bureau, il se trouve dans OneDrive\\Bureau, par
exemple C:\\Users\\<votre nom>\\OneDrive\\Bureau\\${sketch_folder_on_desktop}.")
  else()
    set(folder_note "Ce dossier a été choisi quand le sélecteur a été compilé : mettez-y
code.ino.")
  endif()
  # Line ends as the template's become: CR LF.
  string(REPLACE "\n" "\r\n" folder_note "${folder_note}")
  # UTF-8 with its byte order mark, which every Notepad reads as such.
  string(ASCII 239 187 191 bom)
  configure_file("${PROJECT_SOURCE_DIR}/cmake/LISEZMOI.txt.in"
                 "${PROJECT_BINARY_DIR}/LISEZMOI.txt" @ONLY NEWLINE_STYLE WIN32)
  install(FILES "${PROJECT_BINARY_DIR}/LISEZMOI.txt" DESTINATION .)
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
