# Flags every target of the project shares; warnings only for our own code.
add_library(ventrio_flags INTERFACE)
add_library(ventrio_warnings INTERFACE)
target_compile_options(ventrio_warnings INTERFACE -Wall -Wextra -Werror -Wshadow)

if(VENTRIO_SANITIZE)
    target_compile_options(ventrio_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=undefined)
    target_link_options(ventrio_flags INTERFACE -fsanitize=address,undefined)
endif()
if(VENTRIO_FUZZ)
    target_compile_options(ventrio_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                   -fno-sanitize-recover=undefined)
    target_link_options(ventrio_flags INTERFACE -fsanitize=address,undefined)
endif()
if(WIN32)
    target_compile_definitions(ventrio_flags INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                       _WIN32_WINNT=0x0601)
    target_link_options(ventrio_flags INTERFACE -static -static-libgcc -static-libstdc++)
endif()

# ventrio_glob(<out-var> <folder>...): the .cpp files directly inside each folder.
function(ventrio_glob out)
    set(result "")
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# Writes the factory data set (configuration files, label files, macro store) into a folder.
function(ventrio_add_dataset folder)
    set(stamp ${CMAKE_BINARY_DIR}/dataset.stamp)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${VENTRIO_MAKE_DATASET} ${folder}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${VENTRIO_MAKE_DATASET}
        COMMENT "Writing the factory data set into ${folder}")
    add_custom_target(ventrio_dataset ALL DEPENDS ${stamp})
endfunction()

# The JSON library is header-only; a cross build must not see the rest of the host's /usr/include,
# so it gets a folder holding nothing but that library.
function(ventrio_use_json target)
    if(CMAKE_CROSSCOMPILING)
        set(dir ${CMAKE_BINARY_DIR}/host-headers)
        if(NOT EXISTS ${dir}/nlohmann)
            file(MAKE_DIRECTORY ${dir})
            file(CREATE_LINK /usr/include/nlohmann ${dir}/nlohmann SYMBOLIC)
        endif()
        target_include_directories(${target} SYSTEM PRIVATE ${dir})
    else()
        find_package(nlohmann_json 3 REQUIRED)
        target_link_libraries(${target} PRIVATE nlohmann_json::nlohmann_json)
    endif()
endfunction()
