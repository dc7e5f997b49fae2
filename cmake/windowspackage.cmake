# The Windows packages: a ZIP that a modder unpacks and starts from, and a
# per-user installer (NSIS, where makensis is found). Both hold the programs
# at their top, the Qt DLLs (Qt is LGPL, so it ships as DLLs) with the windows
# platform and style plugins beside them, README.txt, the sample class files
# in examples\ and the licences in licences\.
set(CPACK_SYSTEM_NAME win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tolvane Class Creator")
set(CPACK_GENERATOR ZIP)
find_program(TOLVANE_MAKENSIS makensis)
if(TOLVANE_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
    set(CPACK_NSIS_EXECUTABLE ${TOLVANE_MAKENSIS})
endif()
# The installer from the project's own template, and named as one.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/nsis/packagename.cmake)
# The uninstaller's list of the installed files, made from the staged ones.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/nsis/installedfiles.cmake)
set(CPACK_TOLVANE_PROGRAM tolvane-class-creator.exe)
set(CPACK_TOLVANE_ICON ${PROJECT_BINARY_DIR}/res/tolvane-class-creator.ico)
if(TOLVANE_WINDOWS_ICON)
    set(CPACK_TOLVANE_ICON ${TOLVANE_WINDOWS_ICON})
endif()

# What the Qt paragraph of README.txt says: where the shipped Qt DLLs come from.
set(qtSource "")
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
    set(qtSource "The Qt DLLs are those of Qt ${Qt6_VERSION} as The Qt Company publishes it, unchanged.
Its source: https://download.qt.io/archive/qt/ (Qt ${Qt6_VERSION}, submodules, qtbase).")
elseif(TOLVANE_QT AND NOT TOLVANE_QT_STATIC)
    # A cross build has no windeployqt: the DLLs are named here.
    set(dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${TOLVANE_WINDOWS_RUNTIME_DLLS})
    if(TOLVANE_SVG)
        list(APPEND dlls $<TARGET_FILE:Qt6::Svg>)
    endif()
    install(FILES ${dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
    # Only the programs are stripped by CPack; the DLLs come with their symbols.
    install(CODE "
        file(GLOB_RECURSE shipped \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.dll\")
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${shipped} COMMAND_ERROR_IS_FATAL ANY)")
    include(${CMAKE_CURRENT_LIST_DIR}/windowslicences.cmake)
elseif(TOLVANE_QT)
    message(STATUS "A static Qt: the Windows package would link Qt statically, which its licence does not suit; "
                   "build the package with a Qt of DLLs")
endif()

# README.txt in CR LF, the lines of the paragraphs put in above too.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS res/windows/README.txt)
file(READ res/windows/README.txt readme)
string(CONFIGURE "${readme}" readme @ONLY)
file(CONFIGURE OUTPUT README.txt CONTENT "${readme}" @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
install(FILES examples/tvclass_seals.cfg examples/tvclass_tangos.cfg DESTINATION examples)
install(FILES res/debian/copyright DESTINATION licences RENAME tolvane-class-creator.txt)
