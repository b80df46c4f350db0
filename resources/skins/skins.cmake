# The skin: every PNG the windows load from the Skins folder beside the executable, rendered at
# build time from the hand-written SVG sources in images/ and templates/, plus the icon and the
# scroll-bar bitmap that the resource script embeds. No PNG is kept in the repository.
#
# rsvg-convert and ImageMagick are build-host tools, so the same rules serve native and mingw
# cross builds alike.

find_program(VENTRIO_RSVG_CONVERT rsvg-convert NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# Only the packaged ImageMagick will do: other programs named convert exist on PATH.
find_program(VENTRIO_MAGICK_CONVERT convert PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
             REQUIRED)
find_program(VENTRIO_MAGICK_MONTAGE montage PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
             REQUIRED)

set(VENTRIO_SKIN_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(VENTRIO_SKIN_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR}/../../tools/skins ABSOLUTE)
set(VENTRIO_SKIN_DIR ${VENTRIO_OUTPUT_DIR}/Skins)
set(VENTRIO_SKIN_SVG_DIR ${CMAKE_BINARY_DIR}/skin-svg)
set(VENTRIO_SKIN_MANIFEST ${CMAKE_BINARY_DIR}/skin-manifest.txt)
set_property(GLOBAL PROPERTY VENTRIO_SKIN_PNGS "")
set_property(GLOBAL PROPERTY VENTRIO_SKIN_MANIFEST_LINES "")

# Renders one SVG to Skins/<name>; <group> only orders the contact sheet.
function(ventrio_skin_render name svg group)
    set(png ${VENTRIO_SKIN_DIR}/${name})
    get_filename_component(folder ${png} DIRECTORY)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${VENTRIO_RSVG_CONVERT} --format=png --output=${png} ${svg}
        DEPENDS ${svg}
        COMMENT "Rendering Skins/${name}"
        VERBATIM)
    set_property(GLOBAL APPEND PROPERTY VENTRIO_SKIN_PNGS ${png})
    set_property(GLOBAL APPEND PROPERTY VENTRIO_SKIN_MANIFEST_LINES "${group}|${name}")
endfunction()

# ventrio_skin(<group> <name>...): each name is rendered from images/<name without .png>.svg.
function(ventrio_skin group)
    foreach(name IN LISTS ARGN)
        string(REGEX REPLACE "\\.png$" ".svg" svg ${name})
        ventrio_skin_render(${name} ${VENTRIO_SKIN_SOURCE_DIR}/images/${svg} ${group})
    endforeach()
endfunction()

# ventrio_skin_variant(<group> <name> <template> [KEY=VALUE...]): one member of a family drawn
# from a shared template; each KEY replaces @KEY@ in the template. Templates sized by W and H
# also get W_1, W_2, H_1 and H_2 (one and two less) for outlines inset by half a pixel.
function(ventrio_skin_variant group name template)
    foreach(pair IN LISTS ARGN)
        string(FIND "${pair}" "=" eq)
        string(SUBSTRING "${pair}" 0 ${eq} key)
        math(EXPR from "${eq} + 1")
        string(SUBSTRING "${pair}" ${from} -1 value)
        set(${key} "${value}")
    endforeach()
    if(DEFINED W AND DEFINED H)
        math(EXPR W_1 "${W} - 1")
        math(EXPR W_2 "${W} - 2")
        math(EXPR H_1 "${H} - 1")
        math(EXPR H_2 "${H} - 2")
    endif()
    string(REGEX REPLACE "\\.png$" ".svg" svg ${VENTRIO_SKIN_SVG_DIR}/${name})
    configure_file(${VENTRIO_SKIN_SOURCE_DIR}/templates/${template} ${svg} @ONLY)
    ventrio_skin_render(${name} ${svg} ${group})
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/skin-images.cmake)

get_property(_skin_pngs GLOBAL PROPERTY VENTRIO_SKIN_PNGS)
add_custom_target(ventrio_skins ALL DEPENDS ${_skin_pngs})

# Icon resource 128: every size rendered from the vector source rather than scaled from one
# bitmap, the small ones from a simplified drawing that stays legible at 16 pixels.
set(VENTRIO_ICON_FILE ${CMAKE_BINARY_DIR}/resources/ventrio.ico)
set(_skin_icon_dir ${CMAKE_BINARY_DIR}/resources/icon)
set(_skin_icon_pngs "")
set(_skin_icon_commands "")
foreach(_skin_size 16 24 32 48 64 128 256)
    if(_skin_size LESS 48)
        set(_skin_icon_svg ${VENTRIO_SKIN_SOURCE_DIR}/app/ventrio-icon-small.svg)
    else()
        set(_skin_icon_svg ${VENTRIO_SKIN_SOURCE_DIR}/app/ventrio-icon.svg)
    endif()
    list(APPEND _skin_icon_commands COMMAND ${VENTRIO_RSVG_CONVERT} --format=png --width=${_skin_size}
         --height=${_skin_size} --output=${_skin_icon_dir}/icon-${_skin_size}.png ${_skin_icon_svg})
    list(APPEND _skin_icon_pngs ${_skin_icon_dir}/icon-${_skin_size}.png)
endforeach()
add_custom_command(
    OUTPUT ${VENTRIO_ICON_FILE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_skin_icon_dir}
    ${_skin_icon_commands}
    COMMAND ${VENTRIO_MAGICK_CONVERT} ${_skin_icon_pngs} ${VENTRIO_ICON_FILE}
    DEPENDS ${VENTRIO_SKIN_SOURCE_DIR}/app/ventrio-icon.svg
            ${VENTRIO_SKIN_SOURCE_DIR}/app/ventrio-icon-small.svg
    COMMENT "Building the program icon"
    VERBATIM)

# Bitmap resource 129: the scroll-bar cells. LoadBitmap wants a plain 24-bit BMP without alpha,
# so the transparent parts are flattened onto the track colour first.
set(VENTRIO_SCROLLBAR_BMP ${CMAKE_BINARY_DIR}/resources/scrollbar.bmp)
add_custom_command(
    OUTPUT ${VENTRIO_SCROLLBAR_BMP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_skin_icon_dir}
    COMMAND ${VENTRIO_RSVG_CONVERT} --format=png --output=${_skin_icon_dir}/scrollbar.png
            ${VENTRIO_SKIN_SOURCE_DIR}/app/scrollbar.svg
    COMMAND ${VENTRIO_MAGICK_CONVERT} ${_skin_icon_dir}/scrollbar.png -background "#131417" -alpha remove
            -alpha off -type TrueColor BMP3:${VENTRIO_SCROLLBAR_BMP}
    DEPENDS ${VENTRIO_SKIN_SOURCE_DIR}/app/scrollbar.svg
    COMMENT "Building the scroll-bar bitmap"
    VERBATIM)
add_custom_target(ventrio_resource_images ALL DEPENDS ${VENTRIO_ICON_FILE} ${VENTRIO_SCROLLBAR_BMP})
add_dependencies(ventrio_skins ventrio_resource_images)

# Review aids, built on request: every image on one sheet, and the main window composed from its
# images in each view so the button marks can be checked against the mouse.
get_property(_skin_manifest_lines GLOBAL PROPERTY VENTRIO_SKIN_MANIFEST_LINES)
string(REPLACE ";" "\n" _skin_manifest_text "${_skin_manifest_lines}")
file(CONFIGURE OUTPUT ${VENTRIO_SKIN_MANIFEST} CONTENT "${_skin_manifest_text}\n")
set(_skin_review_args -DSKIN_DIR=${VENTRIO_SKIN_DIR} -DCONVERT=${VENTRIO_MAGICK_CONVERT}
                -DMONTAGE=${VENTRIO_MAGICK_MONTAGE})
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/skin-contact-sheet.png
    COMMAND ${CMAKE_COMMAND} ${_skin_review_args} -DMANIFEST=${VENTRIO_SKIN_MANIFEST}
            -DWORK_DIR=${CMAKE_BINARY_DIR}/skin-contact-sheet
            -DOUTPUT=${CMAKE_BINARY_DIR}/skin-contact-sheet.png
            -P ${VENTRIO_SKIN_TOOLS_DIR}/contact-sheet.cmake
    DEPENDS ${_skin_pngs} ${VENTRIO_SKIN_MANIFEST} ${VENTRIO_SKIN_TOOLS_DIR}/contact-sheet.cmake
    COMMENT "Laying out the skin contact sheet"
    VERBATIM)
add_custom_target(skin-contact-sheet DEPENDS ${CMAKE_BINARY_DIR}/skin-contact-sheet.png)

set(_skin_mockups ${CMAKE_BINARY_DIR}/skin-mockups/main-top.png ${CMAKE_BINARY_DIR}/skin-mockups/main-side.png
            ${CMAKE_BINARY_DIR}/skin-mockups/main-back.png ${CMAKE_BINARY_DIR}/skin-mockups/dialogs.png)
add_custom_command(
    OUTPUT ${_skin_mockups}
    COMMAND ${CMAKE_COMMAND} ${_skin_review_args} -DOUTPUT_DIR=${CMAKE_BINARY_DIR}/skin-mockups
            -DSCROLLBAR_PNG=${_skin_icon_dir}/scrollbar.png
            -P ${VENTRIO_SKIN_TOOLS_DIR}/main-window-mockup.cmake
    DEPENDS ${_skin_pngs} ${VENTRIO_SCROLLBAR_BMP} ${VENTRIO_SKIN_TOOLS_DIR}/main-window-mockup.cmake
    COMMENT "Composing the main window mock-ups"
    VERBATIM)
add_custom_target(skin-mockups DEPENDS ${_skin_mockups})

# The image test reads the rendered files, so the test binary must not be built before them.
# The test target is defined after this file is included, hence the deferred call.
function(_ventrio_skins_order_tests)
    if(TARGET ventrio_tests)
        add_dependencies(ventrio_tests ventrio_skins)
        target_compile_definitions(ventrio_tests PRIVATE
                                   VENTRIO_ICON_FILE="${VENTRIO_ICON_FILE}"
                                   VENTRIO_SCROLLBAR_BMP="${VENTRIO_SCROLLBAR_BMP}")
    endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _ventrio_skins_order_tests)
