# One static library per layer, linking only the layers it may use.
#
# A static library leaves its undefined references to whatever links it last, and the programs
# link every layer anyway, so they would hide a call that points up. Each layer is therefore
# also linked whole, alone with the layers it uses, into a small program in layer-checks/: a
# call into a layer it does not use is an undefined reference there and fails the build.

add_library(tq530_link_check_main OBJECT ${CMAKE_CURRENT_LIST_DIR}/link_check_main.cpp)

# Qt's code generators for a target whose sources can hold Q_OBJECT classes or resources.
function(tq530_qt_target target)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
endfunction()

# tq530_layer(NAME [FOLDER dir] [SOURCES files...] [EXCLUDE files...] [QT] USES targets...)
# FOLDER takes every .cpp file in dir (not its subfolders), so a new file needs no edit here;
# a QT layer also lists the headers, for AUTOMOC.
function(tq530_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "QT" "FOLDER" "SOURCES;EXCLUDE;USES")
    set(sources ${arg_SOURCES})
    if(arg_FOLDER)
        set(patterns ${CMAKE_SOURCE_DIR}/${arg_FOLDER}/*.cpp)
        if(arg_QT)
            list(APPEND patterns ${CMAKE_SOURCE_DIR}/${arg_FOLDER}/*.h)
        endif()
        file(GLOB found CONFIGURE_DEPENDS ${patterns})
        foreach(excluded IN LISTS arg_EXCLUDE)
            list(REMOVE_ITEM found ${CMAKE_SOURCE_DIR}/${excluded})
        endforeach()
        list(APPEND sources ${found})
    endif()
    if(NOT sources)
        message(FATAL_ERROR "${name}: no sources in ${arg_FOLDER}")
    endif()

    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${arg_USES})
    target_compile_options(${name} PRIVATE ${TQ530_WARNINGS})
    if(arg_QT)
        tq530_qt_target(${name})
    endif()

    add_executable(${name}_links
        $<TARGET_OBJECTS:tq530_link_check_main> $<TARGET_OBJECTS:${name}>)
    target_link_libraries(${name}_links PRIVATE ${name})
    set_target_properties(${name}_links PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-checks)
endfunction()
