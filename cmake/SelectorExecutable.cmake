# The selector's executable and the Windows resources that it carries. The
# sketch folder is compiled into one small translation unit, so that a build
# for another folder recompiles one file.

# Sets OUT to TEXT as the body of a C++ string literal: byte escapes, so
# that no compiler's source character set can change its bytes.
function(byte_escaped text out)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
  set(${out} "${escaped}" PARENT_SCOPE)
endfunction()

# Adds executable NAME: the selector built for the sketch folder FOLDER,
# and, if RELATIVE is given, for that folder relative to the desktop of
# whoever runs it, or to the selector's own folder, where FOLDER is missing.
function(add_selector_executable name folder)
  sketch_folder_of("${folder}" folder)
  byte_escaped("${folder}" sketch_folder_literal)
  byte_escaped("${ARGN}" relative_literal)
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${name}_sketch_folder.cpp")
  configure_file("${PROJECT_SOURCE_DIR}/src/sketch/sketch_folder.cpp.in"
                 "${source}" @ONLY)
  add_executable(${name} "${PROJECT_SOURCE_DIR}/src/main.cpp" "${source}")
  target_link_libraries(${name} PRIVATE selector_core)
  target_link_options(${name} PRIVATE ${SELECTOR_LINK_OPTIONS})
  if(WIN32)
    target_sources(${name} PRIVATE "${PROJECT_BINARY_DIR}/selector.rc")
    # The resource compiler reads the manifest, but reports no dependency
    # on it: a changed manifest must still rebuild the resource.
    set_source_files_properties("${PROJECT_BINARY_DIR}/selector.rc" PROPERTIES
                                OBJECT_DEPENDS "${PROJECT_BINARY_DIR}/selector.manifest")
    # The resource script's manifest is the only one: Visual C++'s linker
    # would add its own.
    if(MSVC)
      target_link_options(${name} PRIVATE /MANIFEST:NO)
    endif()
  endif()
endfunction()

# Writes the version resource and the manifest that every Windows build of
# the selector carries.
function(configure_windows_resources)
  set(selector_file_version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  string(REPLACE "." "," selector_file_version_commas "${selector_file_version}")
  set(selector_manifest "${PROJECT_BINARY_DIR}/selector.manifest")
  configure_file("${PROJECT_SOURCE_DIR}/src/platform/selector.manifest.in" "${selector_manifest}" @ONLY)
  configure_file("${PROJECT_SOURCE_DIR}/src/platform/selector.rc.in" "${PROJECT_BINARY_DIR}/selector.rc" @ONLY)
endfunction()
