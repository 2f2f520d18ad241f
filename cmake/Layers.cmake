# Each layer of the tree is a library that sees only the folders below it:
#   core <- ops, formats, codec <- app <- shell, cli
# iromaki_layer(TARGET FOLDER...) gives TARGET an include root that holds links
# to the named folders and nothing else, so including a header of a higher
# layer fails to compile instead of passing as a convention.
function(iromaki_layer target)
    set(root ${CMAKE_BINARY_DIR}/layers/${target})
    file(MAKE_DIRECTORY ${root})
    # A folder no longer listed loses its link (file(REMOVE) unlinks, never follows).
    file(GLOB links LIST_DIRECTORIES true ${root}/*)
    foreach(link IN LISTS links)
        get_filename_component(folder ${link} NAME)
        if(NOT folder IN_LIST ARGN)
            file(REMOVE ${link})
        endif()
    endforeach()
    foreach(folder IN LISTS ARGN)
        if(NOT EXISTS ${root}/${folder})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PRIVATE ${root})
endfunction()

# The sources of one folder (and its subfolders): files ending in _win32.cpp
# use the Windows API and belong to the Windows build only, _posix.cpp files to
# the others.
function(iromaki_layer_sources variable folder)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
    else()
        list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
    endif()
    set(${variable} ${sources} PARENT_SCOPE)
endfunction()
