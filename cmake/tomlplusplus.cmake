# toml++ (Debian: libtomlplusplus-dev) reads the rules file. It is used
# header-only, so a cross build for Windows takes the build machine's
# headers; they go into a folder of their own, as /usr/include itself holds
# the build machine's C library, which a MinGW build must not see.
find_path(TOLVANE_TOMLPLUSPLUS_INCLUDE toml++/toml.h DOC "The folder that holds toml++/toml.h")
if(NOT TOLVANE_TOMLPLUSPLUS_INCLUDE AND CMAKE_CROSSCOMPILING)
    find_path(tolvaneHostToml toml++/toml.h NO_CMAKE_FIND_ROOT_PATH)
    if(tolvaneHostToml)
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tomlplusplus)
        file(CREATE_LINK ${tolvaneHostToml}/toml++ ${CMAKE_BINARY_DIR}/tomlplusplus/toml++ SYMBOLIC)
        set(TOLVANE_TOMLPLUSPLUS_INCLUDE ${CMAKE_BINARY_DIR}/tomlplusplus CACHE PATH
            "The folder that holds toml++/toml.h" FORCE)
    endif()
endif()
if(NOT TOLVANE_TOMLPLUSPLUS_INCLUDE)
    message(FATAL_ERROR "toml++ is missing: install libtomlplusplus-dev (bash scripts/deps.sh), or set "
                        "TOLVANE_TOMLPLUSPLUS_INCLUDE to the folder that holds toml++/toml.h")
endif()
