# cmake --install puts the selector under bin/. For Windows it puts
# selector.exe at the top instead, beside a French note that names the
# folder this build writes to, the licence, the preview page and the
# example sketch; cpack packs these into the ZIP that a maker downloads, and
# writes its SHA-256 into a file beside it.

# The folders' permissions are set here rather than taken from the
# builder's umask, so that every builder packs the same ZIP.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The example sketch lies in a folder named after it, code, as the Arduino
# IDE wants. For the built-in folder that is the kit's sketch folder, where
# the selector looks for the sketch.
if(WIN32)
  install(TARGETS selector RUNTIME DESTINATION .)
  set(sketch_in_zip "Exemple/code")
  if(relative_sketch_folder)
    set(sketch_in_zip "${kit_sketch_folder}")
  endif()
  string(REGEX REPLACE "/.*" "" kit_top_folder "${sketch_in_zip}")
  if(relative_sketch_folder)
    set(place_sketch "   Le croquis est déjà à sa place : dans le dossier extrait, à côté de
   selector.exe, dans ${relative_sketch_folder}.")
    set(desktop_option "
Si vous le voulez, faites glisser le dossier « ${kit_top_folder} » du
dossier extrait sur le bureau : le sélecteur l'y trouve aussi, et le
croquis y reste en place quand vous faites le ménage dans le dossier
Téléchargements.
")
    set(unwritten_note "
Quand le dossier ${relative_sketch_folder} n'existe ni sur le bureau, ni
à côté de selector.exe, c'est presque toujours que selector.exe a été
lancé depuis l'intérieur du ZIP. La ligne le dit, et commence alors par :

    Dossier « ${relative_sketch_folder} » introuvable : extrayez d'abord
    tout le ZIP (« Extraire tout… »), puis lancez selector.exe depuis le
    dossier extrait.

Rien ne s'ouvre alors. Extrayez le ZIP et relancez selector.exe depuis
le dossier extrait : le croquis y est à sa place.
")
    set(folder_note "C'est le dossier de l'auteur du sélecteur. S'il n'existe pas sur votre
ordinateur, le sélecteur cherche le dossier ${relative_sketch_folder}
à ces deux endroits, dans cet ordre, et prend le premier qui existe :

    1. sur votre bureau ;
    2. dans le dossier de selector.exe, là où l'a mis l'extraction.

S'il n'en trouve aucun, il le dit, et nomme celui du bureau dans son
message.

L'Explorateur de fichiers montre le bureau sous le nom « Bureau » ; si
OneDrive sauvegarde votre bureau, celui-ci se trouve dans
OneDrive\\Bureau, ou dans OneDrive - <entreprise>\\Bureau, par exemple
C:\\Users\\<votre nom>\\OneDrive\\Bureau\\${relative_sketch_folder}. Le
bureau que l'Explorateur affiche est toujours le bon.

Si plusieurs de ces dossiers existent, le sélecteur prend le premier,
sans le dire.")
  else()
    set(place_sketch "   Copiez ensuite code.ino du dossier Exemple\\code dans le dossier du
   croquis (voyez « Le dossier du croquis », plus bas), ou mettez-y votre
   propre croquis, sous le nom code.ino.")
    set(desktop_option "")
    set(unwritten_note "")
    set(folder_note "Ce dossier a été choisi quand le sélecteur a été compilé ; il n'en
prend jamais d'autre.")
  endif()
  install(FILES "${PROJECT_SOURCE_DIR}/examples/sketch/code.ino" DESTINATION "${sketch_in_zip}")
  # The ZIP holds no folder of its own name: « Extraire tout… » already
  # extracts it into one, where the maker then finds selector.exe. The
  # name is CPack's own for this system; the note and the tests give it.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(package_name "${PROJECT_NAME}-${PROJECT_VERSION}-win64")
  string(REPLACE "/" "\\" sketch_in_note "${sketch_in_zip}/code.ino")
  # The template's line ends become CR LF when it is configured, so the
  # paragraphs put into it are given CR LF too.
  foreach(paragraph place_sketch desktop_option unwritten_note folder_note)
    string(REPLACE "\n" "\r\n" ${paragraph} "${${paragraph}}")
  endforeach()
  # The note is UTF-8 with a byte order mark, which makes every version
  # of Notepad read it as UTF-8.
  string(ASCII 239 187 191 bom)
  configure_file("${PROJECT_SOURCE_DIR}/cmake/LISEZMOI.txt.in"
                 "${PROJECT_BINARY_DIR}/LISEZMOI.txt" @ONLY NEWLINE_STYLE WIN32)
  install(FILES "${PROJECT_BINARY_DIR}/LISEZMOI.txt" DESTINATION .)
  # The licence beside the note, under a name that Notepad opens.
  configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_BINARY_DIR}/LICENSE.txt" @ONLY
                 NEWLINE_STYLE WIN32)
  install(FILES "${PROJECT_BINARY_DIR}/LICENSE.txt" DESTINATION .)
  # The fifteen programs as the board runs them, made from the example
  # sketch by tools/apercu.sh and kept in the repository, so that packing
  # needs neither simavr nor the Arduino core.
  install(FILES "${PROJECT_SOURCE_DIR}/examples/apercu.html" DESTINATION .)
  # Where a way of signing is configured (tools/sign.sh lists them), the
  # copy of selector.exe that is installed or packed is signed once
  # everything else is in place, and the ZIP passes tools/gate.sh before it
  # is delivered. The build's own selector.exe stays unsigned: it is the
  # file that anyone can rebuild bit for bit, and compare with a signed one
  # stripped of its signature.
  install(CODE "
    if(DEFINED ENV{SELECTOR_SIGNING_CERTIFICATE} OR DEFINED ENV{SELECTOR_SIGNING_KEY}
       OR DEFINED ENV{SELECTOR_SIGNED_EXE})
      execute_process(COMMAND bash \"${PROJECT_SOURCE_DIR}/tools/sign.sh\"
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/selector.exe\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()")
  set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/SignatureGate.cmake")
  set(CPACK_SELECTOR_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
  set(CPACK_SELECTOR_BUILD_DIR "${PROJECT_BINARY_DIR}")
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
