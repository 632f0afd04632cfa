# Installs into a temporary prefix, checks every file, and runs the installed tovel-cli from a
# clean home folder.
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${WORK}/prefix"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(f bin/tovel bin/Linord bin/tovel-cli
          share/tovel/elements.dat share/tovel/tiptovl.rel share/tovel/comps.rel share/tovel/Tovel.pdf
          "share/tovel/DonaciónGratificada.htm" share/tovel/Zq/Redox.zq share/applications/tovel.desktop
          share/icons/hicolor/scalable/apps/tovel.svg share/metainfo/es.tovel.tovel.metainfo.xml
          share/man/man1/tovel.1.gz share/man/man1/tovel-cli.1.gz share/man/man1/Linord.1.gz
          share/man/es/man1/tovel.1.gz share/man/es/man1/tovel-cli.1.gz share/man/es/man1/Linord.1.gz
          share/doc/tovel/copyright share/doc/tovel/changelog.gz)
    if(NOT EXISTS "${WORK}/prefix/${f}")
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
file(MAKE_DIRECTORY "${WORK}/home")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "HOME=${WORK}/home" --unset=XDG_DATA_HOME
                        "${WORK}/prefix/bin/tovel-cli" balance "Al+O2=Al2O3"
                WORKING_DIRECTORY "${WORK}/home" OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "4 Al + 3 O2 = 2 Al2O3\n")
    message(FATAL_ERROR "installed tovel-cli gave ${status}: ${out}")
endif()
file(READ "${WORK}/prefix/share/applications/tovel.desktop" desktop)
if(NOT desktop MATCHES "Exec=tovel --user-data")
    message(FATAL_ERROR "the desktop entry does not start tovel in the user's data folder")
endif()
# Each installed program says its version without a display, as a technician checks it.
foreach(program tovel tovel-cli Linord)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                            --unset=QT_QPA_PLATFORM "${WORK}/prefix/bin/${program}" --version
                    OUTPUT_VARIABLE out RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT out MATCHES "^${program} [0-9]+\\.[0-9]+\n$")
        message(FATAL_ERROR "installed ${program} --version gave ${status}: ${out}")
    endif()
endforeach()
