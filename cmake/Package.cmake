# cmake --install puts the selector under bin/, or for Windows beside a
# note in French that names the folder this build writes to and the example
# sketch; cpack makes of these the ZIP that a maker downloads, and its
# SHA-256 beside it.

# The permissions are the build's, not the builder's umask, so that every
# builder packs the same ZIP.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The ZIP holds selector.exe, the note, and the example sketch in a folder
# of its own name, as Arduino wants it: for the built-in folder, where the
# selector looks for it once « Projet Velmirac » is on the desktop.
if(WIN32)
  install(TARGETS selector RUNTIME DESTINATION .)
  if(sketch_folder_on_desktop)
    set(sketch_in_zip "Projet Velmirac/code")
    set(place_sketch "3. Faites glisser le dossier « Projet Velmirac » du dossier extrait sur
   le bureau : le sélecteur y trouve le croquis, dans Projet Velmirac\\code.")
    set(folder_note "C'est le dossier de l'auteur du sélecteur. S'il n'existe pas sur votre
ordinateur, le sélecteur prend à sa place le dossier ${sketch_folder_on_desktop}
de votre bureau. L'Explorateur de fichiers montre le bureau sous le nom
« Bureau » ; si OneDrive sauvegarde votre bureau, celui-ci se trouve dans
OneDrive\\Bureau, ou dans OneDrive - <entreprise>\\Bureau, par exemple
C:\\Users\\<votre nom>\\OneDrive\\Bureau\\${sketch_folder_on_desktop}. Le
bureau que l'Explorateur affiche est toujours le bon.

Si les deux dossiers existent, le sélecteur prend le premier, sans le
dire.")
  else()
    set(sketch_in_zip "Exemple/code")
    set(place_sketch "3. Copiez code.ino du dossier Exemple\\code dans le dossier du croquis
   (ci-dessous), ou mettez-y votre propre croquis, sous le nom code.ino.")
    set(folder_note "Ce dossier a été choisi quand le sélecteur a été compilé ; il n'en
prend jamais d'autre.")
  endif()
  install(FILES "${PROJECT_SOURCE_DIR}/examples/sketch/code.ino" DESTINATION "${sketch_in_zip}")
  string(REPLACE "/" "\\" sketch_in_note "${sketch_in_zip}/code.ino")
  # Line ends as the template's become: CR LF.
  foreach(paragraph place_sketch folder_note)
    string(REPLACE "\n" "\r\n" ${paragraph} "${${paragraph}}")
  endforeach()
  # UTF-8 with its byte order mark, which every Notepad reads as such.
  string(ASCII 239 187 191 bom)
  configure_file("${PROJECT_SOURCE_DIR}/cmake/LISEZMOI.txt.in"
                 "${PROJECT_BINARY_DIR}/LISEZMOI.txt" @ONLY NEWLINE_STYLE WIN32)
  install(FILES "${PROJECT_BINARY_DIR}/LISEZMOI.txt" DESTINATION .)
  # The licence beside the note, under a name that Notepad opens.
  configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_BINARY_DIR}/LICENSE.txt" @ONLY
                 NEWLINE_STYLE WIN32)
  install(FILES "${PROJECT_BINARY_DIR}/LICENSE.txt" DESTINATION .)
else()
  install(TARGETS selector RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
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
