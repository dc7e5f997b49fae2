# The Windows package: a ZIP that a modder unpacks and starts from, with the
# programs at its top, the Qt DLLs (Qt is LGPL, so it ships as DLLs) and the
# windows platform and style plugins beside them, the README and the licences.
set(CPACK_GENERATOR ZIP)
set(CPACK_SYSTEM_NAME win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)

if(TOLVANE_QT AND NOT CMAKE_CROSSCOMPILING)
    # On Windows, Qt's windeployqt puts what the editor needs beside it.
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
elseif(TOLVANE_QT AND NOT TOLVANE_QT_STATIC)
    # A cross build has no windeployqt: the DLLs are named here.
    set(dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${TOLVANE_WINDOWS_RUNTIME_DLLS})
    install(FILES ${dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
    # Only the programs are stripped by CPack; the DLLs come with their symbols.
    install(CODE "
        file(GLOB_RECURSE shipped \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.dll\")
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${shipped} COMMAND_ERROR_IS_FATAL ANY)")
elseif(TOLVANE_QT)
    message(STATUS "A static Qt: the Windows package would link Qt statically, which its licence does not suit; "
                   "build the package with a Qt of DLLs")
endif()

install(FILES README.md DESTINATION .)
install(FILES res/debian/copyright DESTINATION licences RENAME tolvane-class-creator.txt)
if(TOLVANE_QT)
    foreach(licence LGPL-3 GPL-3)
        if(EXISTS /usr/share/common-licenses/${licence})
            install(FILES /usr/share/common-licenses/${licence} DESTINATION licences RENAME ${licence}.txt)
        endif()
    endforeach()
    foreach(package libqt6core6 gcc-mingw-w64-base mingw-w64-common)
        if(EXISTS /usr/share/doc/${package}/copyright)
            install(FILES /usr/share/doc/${package}/copyright DESTINATION licences RENAME ${package}.txt)
        endif()
    endforeach()
endif()
