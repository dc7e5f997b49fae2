# The Windows package: a ZIP of the installed programs (cpack), with the Qt
# libraries and plugins the editor needs put beside it by windeployqt.
set(CPACK_GENERATOR ZIP)
set(CPACK_SYSTEM_NAME win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)

if(TOLVANE_QT)
    get_target_property(qmake Qt6::qmake IMPORTED_LOCATION)
    get_filename_component(qtBin "${qmake}" DIRECTORY)
    find_program(TOLVANE_WINDEPLOYQT windeployqt HINTS "${qtBin}")
    if(TOLVANE_WINDEPLOYQT)
        install(CODE "
            execute_process(
                COMMAND \"${TOLVANE_WINDEPLOYQT}\" --no-translations --no-system-d3d-compiler --no-opengl-sw
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tolvane-class-creator.exe\"
                COMMAND_ERROR_IS_FATAL ANY)")
    else()
        message(STATUS "windeployqt not found: the installed editor will need Qt on PATH")
    endif()
endif()
