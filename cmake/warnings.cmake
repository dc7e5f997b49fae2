# tolvane_set_warnings(): the same warnings for every target of the project,
# set in one place once all targets exist (at the end of the top-level
# CMakeLists.txt), so that no target, and no target added later, goes without
# them. Code that is not ours, such as GoogleTest built from its sources,
# keeps its own.
function(tolvane_set_warnings)
    if(MSVC)
        set(warnings /W4)
    else()
        set(warnings -Wall -Wextra -Wpedantic)
    endif()
    # GCC 12 warns of an overlap in std::string::assign that cannot happen
    # (GCC bug 105329, mended in GCC 13).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        list(APPEND warnings -Wno-restrict)
    endif()
    set(directories ${PROJECT_SOURCE_DIR})
    while(directories)
        list(POP_FRONT directories directory)
        get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
        list(APPEND directories ${subdirectories})
        string(FIND "${directory}/" "${PROJECT_SOURCE_DIR}/" at)
        if(NOT at EQUAL 0)
            continue()
        endif()
        get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
                target_compile_options(${target} PRIVATE ${warnings})
            endif()
        endforeach()
    endwhile()
endfunction()
