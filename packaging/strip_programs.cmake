# Run by CPack on the staged files before it packs them: strips the programs
# the way Debian's own packaging does, symbols and the compiler's notes too.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
if(NOT programs)
  message(FATAL_ERROR "No programs to strip in ${CPACK_TEMPORARY_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_VESPERON_STRIP}" --remove-section=.comment --remove-section=.note
                          --strip-unneeded "${program}"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not strip ${program}")
  endif()
endforeach()
