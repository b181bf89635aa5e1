# The checks on the sketch folder that a build is given: configuring stops,
# with the reason, on a folder that the selector could not use.

# Sets OUT to FOLDER as Windows writes it: backslashes only, and no trailing
# separator but a drive root's own.
function(windows_folder folder out)
  string(REPLACE "/" "\\" folder "${folder}")
  string(REGEX REPLACE "([^\\])\\\\+$" "\\1" trimmed "${folder}")
  if(trimmed MATCHES "^[A-Za-z]:$" AND NOT trimmed STREQUAL folder)
    string(APPEND trimmed "\\")
  endif()
  set(${out} "${trimmed}" PARENT_SCOPE)
endfunction()

# Sets OUT to the reason why Windows cannot take FOLDER, UTF-8 bytes that
# the selector converts to UTF-16, or to nothing.
function(windows_folder_problem folder out)
  set(problem "")
  string(HEX "${folder}" hex)
  set(tail "[89ab][0-9a-f]")
  set(utf8 "^([0-7][0-9a-f]|(c[2-9a-f]|d[0-9a-f])${tail}")
  string(APPEND utf8 "|(e0[ab][0-9a-f]|e[1-9a-cef]${tail}|ed[89][0-9a-f])${tail}")
  string(APPEND utf8 "|(f0[9ab][0-9a-f]|f[1-3]${tail}|f48[0-9a-f])${tail}${tail})*$")
  string(REGEX MATCH "[<>|?*]" forbidden "${folder}")
  string(REGEX REPLACE "^[A-Za-z]:" "" past_drive "${folder}")

  if(folder MATCHES "^\\\\\\\\[?]\\\\")
    set(problem "it is a \\\\?\\ path, which the shell cannot open")
  elseif(forbidden)
    set(problem "it holds a ${forbidden}, which Windows does not allow in a name")
  elseif(past_drive MATCHES ":")
    set(problem "it holds a colon past the drive's, which Windows does not allow in a name")
  elseif(NOT hex MATCHES "${utf8}")
    set(problem "it is not UTF-8 text, so it cannot be converted to a Windows path")
  else()
    # Windows counts UTF-16 units: one for each UTF-8 lead byte, and one
    # more for each character past U+FFFF, whose lead byte is F0 to F4.
    string(REGEX MATCHALL ".." bytes "${hex}")
    list(FILTER bytes EXCLUDE REGEX "^[89ab]")
    list(LENGTH bytes units)
    list(FILTER bytes INCLUDE REGEX "^f")
    list(LENGTH bytes surrogate_pairs)
    math(EXPR sketch_path_length "${units} + ${surrogate_pairs} + 9")
    if(sketch_path_length GREATER_EQUAL 260)
      set(problem "its code.ino path would be ${sketch_path_length} characters long, past Windows' 259")
    endif()
  endif()
  set(${out} "${problem}" PARENT_SCOPE)
endfunction()

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
  if(NOT problem AND WIN32)
    windows_folder_problem("${folder}" problem)
  endif()
  if(problem)
    message(FATAL_ERROR "SKETCH_FOLDER \"${folder}\" cannot be used: ${problem}.")
  endif()
endfunction()

# Sets OUT to FOLDER as the selector uses it, or stops configuring if it
# cannot be used.
function(sketch_folder_of folder out)
  if(WIN32)
    windows_folder("${folder}" folder)
  endif()
  check_sketch_folder("${folder}")
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

# Sets OUT to the user's desktop on Linux and the other free desktops: the
# folder that XDG_DESKTOP_DIR names in user-dirs.dirs, as xdg-user-dir reads
# it, such as ~/Bureau on a French desktop. Where none is named, or where it
# names the home folder itself, which is what xdg-user-dir answers for a
# user without a desktop, it is ~/Desktop.
function(user_desktop out)
  set(home "$ENV{HOME}")
  set(config "$ENV{XDG_CONFIG_HOME}")
  if(config STREQUAL "")
    set(config "${home}/.config")
  endif()
  set(desktop "")
  if(EXISTS "${config}/user-dirs.dirs")
    # The file is read by a shell, where the last assignment wins; its
    # values are "$HOME/..." or absolute paths.
    file(STRINGS "${config}/user-dirs.dirs" assignments REGEX "^XDG_DESKTOP_DIR=\"[^\"]*\"")
    foreach(assignment IN LISTS assignments)
      string(REGEX REPLACE "^XDG_DESKTOP_DIR=\"([^\"]*)\".*" "\\1" desktop "${assignment}")
    endforeach()
    string(REGEX REPLACE "^\\$HOME" "${home}" desktop "${desktop}")
    string(REGEX REPLACE "(.)/+$" "\\1" desktop "${desktop}")
  endif()
  string(REGEX REPLACE "(.)/+$" "\\1" home_itself "${home}")
  if(NOT desktop MATCHES "^/" OR desktop STREQUAL home_itself)
    set(desktop "${home}/Desktop")
  endif()
  set(${out} "${desktop}" PARENT_SCOPE)
endfunction()
