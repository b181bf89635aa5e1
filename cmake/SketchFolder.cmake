# The sketch folder is compiled into one small translation unit, so that a
# build for another folder recompiles one file.

# Stops configuring unless FOLDER is an absolute path of the target platform
# that the launch command can quote whole.
function(check_sketch_folder folder)
  set(problem "")
  if(folder STREQUAL "")
    set(problem "it is empty")
  elseif(WIN32 AND NOT folder MATCHES "^([A-Za-z]:\\\\|\\\\\\\\)")
    set(problem "it is not an absolute Windows path such as C:\\Users\\me\\code")
  elseif(NOT WIN32 AND NOT folder MATCHES "^/")
    set(problem "it is not an absolute path")
  elseif(folder MATCHES "\"")
    set(problem "it holds a double quote, which the launch command cannot keep")
  elseif(WIN32 AND folder MATCHES "%")
    set(problem "it holds a %, which the command interpreter may expand")
  else()
    foreach(code RANGE 1 31)
      string(ASCII ${code} control)
      string(FIND "${folder}" "${control}" at)
      if(at GREATER_EQUAL 0)
        set(problem "it holds a control character such as a line end")
      endif()
    endforeach()
  endif()
  if(problem)
    message(FATAL_ERROR "SKETCH_FOLDER \"${folder}\" cannot be used: ${problem}.")
  endif()
endfunction()

# Adds executable NAME: the selector built for the sketch folder FOLDER.
function(add_selector_executable name folder)
  check_sketch_folder("${folder}")
  string(REPLACE "\\" "\\\\" sketch_folder_literal "${folder}")
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${name}_sketch_folder.cpp")
  configure_file("${PROJECT_SOURCE_DIR}/src/sketch/sketch_folder.cpp.in"
                 "${source}" @ONLY)
  add_executable(${name} "${PROJECT_SOURCE_DIR}/src/main.cpp" "${source}")
  target_link_libraries(${name} PRIVATE selector_core)
endfunction()
