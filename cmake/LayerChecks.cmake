# Keeps the layers honest: a layer below the controls must not reach a widget through any of
# the libraries it links, directly or through another library.

function(_trevalo_linked_closure target out)
    set(seen "")
    set(pending ${target})
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(type ${current} TYPE)
        set(links "")
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(direct ${current} LINK_LIBRARIES)
            if(direct)
                list(APPEND links ${direct})
            endif()
        endif()
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        if(interface)
            list(APPEND links ${interface})
        endif()
        foreach(link IN LISTS links)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            list(APPEND pending ${link})
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(_trevalo_check_links target)
    _trevalo_linked_closure(${target} closure)
    foreach(forbidden IN LISTS ARGN)
        if(forbidden IN_LIST closure)
            message(FATAL_ERROR "${target} must not link ${forbidden}, directly or through "
                "another library; it links: ${closure}")
        endif()
    endforeach()
endfunction()

# Fails the configure when \p target comes to link any of the libraries after it; checked once
# every target is defined.
function(trevalo_forbid_links target)
    cmake_language(EVAL CODE "
        cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]]
            CALL _trevalo_check_links [[${target}]] ${ARGN})")
endfunction()
