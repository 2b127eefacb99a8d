# The program's own code uses Qt without its implicit conversions from 8-bit text, whose
# encoding nothing states, and without its lower-case keywords, which clash with other
# libraries' names.

function(_trevalo_strict_qt_in directory folders)
    foreach(folder IN LISTS folders)
        cmake_path(IS_PREFIX folder ${directory} NORMALIZE inside)
        if(inside)
            get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
            foreach(target IN LISTS targets)
                get_target_property(type ${target} TYPE)
                if(NOT type MATCHES "^(INTERFACE_LIBRARY|UTILITY)$")
                    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII
                        QT_NO_KEYWORDS)
                endif()
            endforeach()
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        _trevalo_strict_qt_in(${subdirectory} "${folders}")
    endforeach()
endfunction()

# Applies the rule to every target defined in the given folders and the folders below them.
function(trevalo_strict_qt)
    list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE folders)
    _trevalo_strict_qt_in(${PROJECT_SOURCE_DIR} "${folders}")
endfunction()
