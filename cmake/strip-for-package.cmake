# Run by CPack after the files are installed into its staging tree: strips the program and
# drops the compiler's comment section, as distributions ship programs.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program ${programs})
  execute_process(COMMAND strip --strip-all --remove-section=.comment --remove-section=.note ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
