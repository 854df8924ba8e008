# Where `cmake --install` and the package put things, by the GNU layout: the programs in bin/,
# global.ini and the help pages in share/tq530/, and what a Linux desktop looks for (the
# desktop entry, icons, AppStream metadata, MIME types, man pages) in its usual folders.

include(GNUInstallDirs)
# Folders as Debian makes them, whatever the umask of whoever installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(TQ530_APP_ID org.tq530.TQ530)
set(TQ530_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tq530)
# Named after the package, as Debian wants it (GNUInstallDirs would take the project's name).
set(TQ530_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/tq530)
set(TQ530_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# An installed program finds its data folder from its own folder, wherever the prefix is.
file(RELATIVE_PATH TQ530_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_DATADIR}/tq530)
set_source_files_properties(src/core/program_dir.cpp PROPERTIES
    COMPILE_DEFINITIONS "TQ530_DATA_FROM_BIN=\"${TQ530_DATA_FROM_BIN}\"")
set_source_files_properties(src/core/version_text.cpp PROPERTIES
    COMPILE_DEFINITIONS "TQ530_VERSION=\"${PROJECT_VERSION}\"")

# What the programs read, beside them in the build tree and in share/tq530 once installed.
set(TQ530_DATA_FILES data/global.ini data/help/TQ530.html data/help/TQ530_NA.html)

function(tq530_install_rules)
    foreach(program tq530 tq530-cli nr6120-sim)
        if(TARGET ${program})
            install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        endif()
    endforeach()
    install(FILES ${TQ530_DATA_FILES} DESTINATION ${TQ530_DATA_INSTALL_DIR})
    # The copyright file names the licence; Debian keeps its text in common-licenses.
    install(FILES ${TQ530_PACKAGING_DIR}/copyright DESTINATION ${TQ530_DOC_INSTALL_DIR})
    if(NOT UNIX OR APPLE)
        return()
    endif()
    if(TARGET tq530)
        install(FILES ${TQ530_PACKAGING_DIR}/${TQ530_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES ${TQ530_PACKAGING_DIR}/${TQ530_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
        install(FILES ${TQ530_PACKAGING_DIR}/${TQ530_APP_ID}.mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${TQ530_APP_ID}.xml)
        install(DIRECTORY ${TQ530_PACKAGING_DIR}/icons/hicolor
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
        install(FILES ${TQ530_PACKAGING_DIR}/icons/${TQ530_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    endif()
    tq530_compressed_docs()
endfunction()

# The man pages and the change log (in Debian's form, which the package tools read),
# compressed as Debian wants them (gzip -9n: no name, no time stamp).
function(tq530_compressed_docs)
    find_program(TQ530_GZIP gzip)
    set(debian_changelog ${CMAKE_BINARY_DIR}/man/changelog)
    configure_file(${TQ530_PACKAGING_DIR}/changelog.in ${debian_changelog} @ONLY)
    if(TQ530_GZIP)
        set(changelog ${debian_changelog}.gz)
        add_custom_command(OUTPUT ${changelog}
            COMMAND ${TQ530_GZIP} -9n -c ${debian_changelog} > ${changelog}
            DEPENDS ${debian_changelog} VERBATIM)
        install(FILES ${changelog} DESTINATION ${TQ530_DOC_INSTALL_DIR})
    else()
        install(FILES ${debian_changelog} DESTINATION ${TQ530_DOC_INSTALL_DIR})
    endif()
    set(pages "")
    foreach(program tq530 tq530-cli nr6120-sim)
        if(NOT TARGET ${program})
            continue()
        endif()
        set(source ${TQ530_PACKAGING_DIR}/man/${program}.1)
        if(TQ530_GZIP)
            set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
            add_custom_command(OUTPUT ${page}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                COMMAND ${TQ530_GZIP} -9n -c ${source} > ${page}
                DEPENDS ${source} VERBATIM)
            list(APPEND pages ${page})
        else()
            list(APPEND pages ${source})
        endif()
    endforeach()
    add_custom_target(tq530_compressed_docs ALL DEPENDS ${pages} ${changelog})
    install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # bash-completion loads a command's script on demand from this folder, by its name.
    if(TARGET tq530-cli)
        install(FILES ${TQ530_PACKAGING_DIR}/completion/tq530-cli
                DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
    endif()
endfunction()
