# The Windows program as users get it, beside zelmaro.exe: an installer built with NSIS
# (zelmaro-<version>-setup.exe) and a portable zip (zelmaro-<version>-portable.zip) holding
# the program and a short text on its use. Both carry the program stripped of its symbols.
find_program(ZELMARO_MAKENSIS makensis REQUIRED)
find_program(ZELMARO_ZIP zip REQUIRED)
find_program(ZELMARO_STRIP NAMES ${ZELMARO_MINGW_TRIPLE}-strip REQUIRED)

set(stage ${CMAKE_BINARY_DIR}/package)
set(shipped ${stage}/zelmaro.exe)
set(setup ${CMAKE_BINARY_DIR}/zelmaro-${PROJECT_VERSION}-setup.exe)
set(portable ${CMAKE_BINARY_DIR}/zelmaro-${PROJECT_VERSION}-portable.zip)

# Windows users read text with CRLF line ends.
configure_file(data/windows/README-Windows.txt.in ${stage}/README.txt @ONLY NEWLINE_STYLE CRLF)

add_custom_command(OUTPUT ${shipped}
  COMMAND ${ZELMARO_STRIP} -o ${shipped} $<TARGET_FILE:zelmaro>
  DEPENDS zelmaro VERBATIM)
add_custom_command(OUTPUT ${setup}
  COMMAND ${ZELMARO_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DPROGRAM=${shipped}
          -DICON=${CMAKE_SOURCE_DIR}/data/icons/zelmaro.ico -DOUTFILE=${setup}
          ${CMAKE_SOURCE_DIR}/data/windows/zelmaro.nsi
  DEPENDS ${shipped} data/windows/zelmaro.nsi data/icons/zelmaro.ico VERBATIM)
add_custom_command(OUTPUT ${portable}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${portable}
  COMMAND ${ZELMARO_ZIP} -q -X -j ${portable} ${shipped} ${stage}/README.txt
  DEPENDS ${shipped} ${stage}/README.txt VERBATIM)
add_custom_target(windows_packages ALL DEPENDS ${setup} ${portable})
