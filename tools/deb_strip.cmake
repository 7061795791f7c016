# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the files it is about to package: every ELF program
# stripped as Debian's packaging strips it, of its symbols, its debugging sections and the
# compilers' notes (.comment, .note).
file(GLOB_RECURSE files LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS files)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                            --strip-unneeded "${file}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "strip ${file} failed: ${rc}")
    endif()
  endif()
endforeach()
