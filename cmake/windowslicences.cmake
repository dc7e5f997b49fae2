# The licences of what a cross build ships beside the programs, as files: the
# Debian copyright files of the Qt and MinGW-w64 packages the DLLs come from,
# and every licence text they point to in Debian's /usr/share/common-licenses,
# which a Windows user does not have. README.txt says where the source of the
# DLLs is: Qt's is the source package that the build script takes, changed by
# the patch; both ship in licences\ as well.
set(qtBuildFolder ${PROJECT_SOURCE_DIR}/scripts/qt-mingw)
file(STRINGS ${qtBuildFolder}/build-qt6-mingw.sh qtSourceLine REGEX "apt-get source .*qt6-base=")
string(REGEX REPLACE ".*qt6-base=([^ )]+).*" "\\1" qtSourceVersion "${qtSourceLine}")
string(REPLACE "+" "%2B" qtSourceUrlVersion "${qtSourceVersion}")
file(GLOB qtPatch RELATIVE ${qtBuildFolder} ${qtBuildFolder}/*.patch)
install(FILES ${qtBuildFolder}/${qtPatch} ${qtBuildFolder}/build-qt6-mingw.sh DESTINATION licences)
set(qtSource "The Qt DLLs (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll,
platforms\\qwindows.dll, styles\\qwindowsvistastyle.dll) are Qt ${Qt6_VERSION},
built from Debian 12's source package qt6-base ${qtSourceVersion}, changed
by the Tolvane Class Creator authors with the patch
licences\\${qtPatch}
(Debian's source lacks the pen-tablet code, so the windows platform plugin
is built without tablet support, and one more guard lets it build without
OpenGL), by the script licences\\build-qt6-mingw.sh. The source package:
    https://snapshot.debian.org/package/qt6-base/${qtSourceUrlVersion}/
or, on Debian 12: apt-get source qt6-base=${qtSourceVersion}
The patch and the script are in the program's source as well
(scripts/qt-mingw/ at ${CPACK_PACKAGE_HOMEPAGE_URL}).")

# GCC's run-time DLLs are GPL-3 with the GCC Runtime Library Exception: their
# source is named as well, by the Debian package that holds them.
set(runtimeSource "")
find_program(TOLVANE_DPKG_QUERY dpkg-query)
foreach(dll IN LISTS TOLVANE_WINDOWS_RUNTIME_DLLS)
    if(NOT TOLVANE_DPKG_QUERY OR NOT dll MATCHES "libstdc")
        continue()
    endif()
    execute_process(COMMAND ${TOLVANE_DPKG_QUERY} -S ${dll} OUTPUT_VARIABLE owner ERROR_QUIET)
    string(REGEX REPLACE ":.*" "" owner "${owner}")
    if(owner)
        execute_process(COMMAND ${TOLVANE_DPKG_QUERY} -W "-f=\${source:Package} \${source:Version} \${Version}" ${owner}
                        OUTPUT_VARIABLE versions)
        separate_arguments(versions UNIX_COMMAND "${versions}")
        list(GET versions 0 sourcePackage)
        list(GET versions 1 sourceVersion)
        list(GET versions 2 binaryVersion)
        set(runtimeSource "libstdc++-6.dll and libgcc_s_seh-1.dll come from Debian 12's package
${owner}
${binaryVersion}, whose source (with the GCC source it builds from) is
    https://snapshot.debian.org/package/${sourcePackage}/${sourceVersion}/")
    endif()
endforeach()

set(noticeFiles libqt6core6 Qt gcc-mingw-w64-base GCC-runtime mingw-w64-common MinGW-w64-runtime)
while(noticeFiles)
    list(POP_FRONT noticeFiles package name)
    if(EXISTS /usr/share/doc/${package}/copyright)
        install(FILES /usr/share/doc/${package}/copyright DESTINATION licences RENAME ${name}.txt)
    else()
        message(WARNING "/usr/share/doc/${package}/copyright not found: the package will lack ${name}.txt")
    endif()
endwhile()
foreach(licence LGPL-3 GPL-3 GPL-2 LGPL-2.1 LGPL-2 Apache-2.0 Artistic GFDL-1.2 GFDL-1.3)
    if(EXISTS /usr/share/common-licenses/${licence})
        install(FILES /usr/share/common-licenses/${licence} DESTINATION licences RENAME ${licence}.txt)
    else()
        message(WARNING "/usr/share/common-licenses/${licence} not found: the package will lack ${licence}.txt")
    endif()
endforeach()
