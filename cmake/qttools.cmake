# Running the programs the build makes with Qt: the picture and icon exporters
# and the GUI tests run on the offscreen platform; a cross build runs them in
# its emulator (Wine).
#   COMMAND ${tolvaneRunOffscreen} $<TARGET_FILE:exporter> ARGS...
set(tolvaneRunOffscreen ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${CMAKE_CROSSCOMPILING_EMULATOR})

get_target_property(qtCoreType Qt6::Core TYPE)
if(qtCoreType STREQUAL "STATIC_LIBRARY")
    set(TOLVANE_QT_STATIC ON)
else()
    set(TOLVANE_QT_STATIC OFF)
endif()

# A static Qt loads no plugins at run time: a program that runs offscreen links
# that platform in. A Qt of DLLs finds it in its plugins folder.
function(tolvane_offscreen_capable target)
    if(TOLVANE_QT_STATIC)
        qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
endfunction()

# A cross build's programs find the Qt DLLs and MinGW's run-time DLLs through
# WINEPATH, set by a wrapper around Wine that the build and ctest run them in.
if(CMAKE_CROSSCOMPILING_EMULATOR AND WIN32 AND NOT TOLVANE_QT_STATIC)
    get_target_property(qtCoreDll Qt6::Core IMPORTED_LOCATION_RELEASE)
    if(NOT qtCoreDll)
        get_target_property(qtCoreDll Qt6::Core IMPORTED_LOCATION)
    endif()
    get_filename_component(qtBinDir "${qtCoreDll}" DIRECTORY)
    set(TOLVANE_WINDOWS_DLL_DIRS ${qtBinDir})
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
            OUTPUT_VARIABLE dllPath OUTPUT_STRIP_TRAILING_WHITESPACE)
        get_filename_component(dllPath "${dllPath}" REALPATH)
        if(NOT EXISTS "${dllPath}")
            message(FATAL_ERROR "MinGW's ${dll} not found; the Qt DLLs need it")
        endif()
        list(APPEND TOLVANE_WINDOWS_RUNTIME_DLLS ${dllPath})
        get_filename_component(dllDir "${dllPath}" DIRECTORY)
        list(APPEND TOLVANE_WINDOWS_DLL_DIRS ${dllDir})
    endforeach()
    list(REMOVE_DUPLICATES TOLVANE_WINDOWS_DLL_DIRS)
    list(TRANSFORM TOLVANE_WINDOWS_DLL_DIRS PREPEND "Z:")
    string(JOIN ";" wineDllPath ${TOLVANE_WINDOWS_DLL_DIRS})
    set(wine ${CMAKE_CROSSCOMPILING_EMULATOR})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/winewithqt.sh.in ${PROJECT_BINARY_DIR}/winewithqt.sh
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/winewithqt.sh)
    set(tolvaneRunOffscreen ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()
