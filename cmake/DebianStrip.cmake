# Run by CPack on the staged files before it packs them: removes what dh_strip removes
# besides the symbols (CPACK_STRIP_FILES), the compiler's notes.
file(GLOB programmes "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(programme IN LISTS programmes)
    execute_process(
        COMMAND ${CPACK_TAVO_STRIP} --remove-section=.comment --remove-section=.note ${programme}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
