# iromaki_version_resource(TARGET DESCRIPTION): gives a Windows binary its
# version resource (product name, version and copyright from core/Version.h,
# the description given here).
function(iromaki_version_resource target description)
    if(NOT WIN32)
        return()
    endif()
    get_target_property(type ${target} TYPE)
    set(IROMAKI_RC_NAME ${target})
    set(IROMAKI_RC_DESCRIPTION "${description}")
    if(type STREQUAL "EXECUTABLE")
        set(IROMAKI_RC_FILE ${target}.exe)
        set(IROMAKI_RC_TYPE VFT_APP)
    else()
        set(IROMAKI_RC_FILE ${target}.dll)
        set(IROMAKI_RC_TYPE VFT_DLL)
    endif()
    set(rc ${CMAKE_BINARY_DIR}/version/${target}.rc)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/VersionInfo.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES
        INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}
        OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/core/Version.h)
endfunction()
