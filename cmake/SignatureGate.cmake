# Run by cpack once it has made the ZIP and before it copies it out: where
# selector.exe was signed, tools/gate.sh checks the ZIP, and a ZIP that it
# refuses is deleted, with any earlier one, so that none is delivered. The
# gate's line goes out as it wrote it, since CMake would wrap a message.
if(NOT (DEFINED ENV{SELECTOR_SIGNING_CERTIFICATE} OR DEFINED ENV{SELECTOR_SIGNING_KEY}
        OR DEFINED ENV{SELECTOR_SIGNED_EXE}))
  return()
endif()
execute_process(COMMAND bash "${CPACK_SELECTOR_SOURCE_DIR}/tools/gate.sh" "${CMAKE_COMMAND}"
                        "${CMAKE_CPACK_COMMAND}" "${CPACK_SELECTOR_BUILD_DIR}/CPackConfig.cmake"
                        "${CPACK_PACKAGE_FILES}" "${CPACK_SELECTOR_BUILD_DIR}/selector.exe"
                RESULT_VARIABLE refused)
if(refused)
  foreach(zip IN LISTS CPACK_PACKAGE_FILES)
    get_filename_component(name "${zip}" NAME)
    file(REMOVE "${zip}" "${CPACK_OUTPUT_FILE_PREFIX}/${name}" "${CPACK_OUTPUT_FILE_PREFIX}/${name}.sha256")
  endforeach()
  message(FATAL_ERROR "tools/gate.sh refused the ZIP, for the reason above.")
endif()
