# What `cmake --install` puts where (GNU directory names under CMAKE_INSTALL_PREFIX, below
# DESTDIR when set): the program, its menu entry, icons, AppStream metadata, manual page, the
# package documents and lintian's overrides.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Manual page and change log compressed as distributions ship them (no name or time stamp in
# the gzip header, so a rebuild gives the same bytes).
set(zelmaro_gz_files)
foreach(doc zelmaro.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${doc}.gz
                     COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/data/${doc} > ${CMAKE_BINARY_DIR}/${doc}.gz
                     DEPENDS ${CMAKE_SOURCE_DIR}/data/${doc} VERBATIM)
  list(APPEND zelmaro_gz_files ${CMAKE_BINARY_DIR}/${doc}.gz)
endforeach()
add_custom_target(zelmaro_docs ALL DEPENDS ${zelmaro_gz_files})

install(TARGETS zelmaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/zelmaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES data/com.quenlark.zelmaro.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/zelmaro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES data/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zelmaro)
