# Lays every rendered skin image on one PNG, each labelled with its name and pixel size, so the
# whole skin can be reviewed at a glance.
#   cmake -DMANIFEST=<group|name lines> -DSKIN_DIR=<Skins folder> -DWORK_DIR=<scratch folder>
#         -DOUTPUT=<sheet.png> -DCONVERT=<convert> -DMONTAGE=<montage> -P contact-sheet.cmake

cmake_minimum_required(VERSION 3.25)

set(font /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf)
set(bold /usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf)
set(background "#3b3c40")

# group: title | largest image the tile holds unscaled | tiles per row
set(layout_0-main "Main window background|1000x645|1")
set(layout_1-windows "Windows, pages and large backgrounds|545x600|4")
set(layout_2-mouse "Mouse views|300x500|3")
set(layout_3-column "Left column|250x400|7")
set(layout_4-panels "Settings panels|250x235|6")
set(layout_5-dials "Dials|170x123|8")
set(layout_6-tracks "Slider tracks|210x169|4")
set(layout_7-controls "Buttons and controls|250x30|8")
set(layout_8-marks "Button marks|170x24|8")

file(STRINGS ${MANIFEST} lines)
set(groups "")
foreach(line IN LISTS lines)
    string(REPLACE "|" ";" parts "${line}")
    list(GET parts 0 group)
    list(GET parts 1 name)
    if(name STREQUAL "main.png")
        set(group 0-main)
    endif()
    list(APPEND groups ${group})
    list(APPEND images_${group} -label "${name}\\n%wx%h" ${SKIN_DIR}/${name})
endforeach()
list(REMOVE_DUPLICATES groups)
list(SORT groups)

file(MAKE_DIRECTORY ${WORK_DIR})
set(parts "")
foreach(group IN LISTS groups)
    string(REPLACE "|" ";" layout "${layout_${group}}")
    list(GET layout 0 title)
    list(GET layout 1 tile)
    list(GET layout 2 columns)
    execute_process(
        COMMAND ${MONTAGE} -background ${background} -fill "#e8e8e8" -font ${font} -pointsize 11
                -geometry ${tile}>+10+10 -tile ${columns}x ${images_${group}}
                ${WORK_DIR}/${group}.png
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "montage failed for ${group}")
    endif()
    execute_process(
        COMMAND ${CONVERT} -background ${background} -fill "#ff8a80" -font ${bold} -pointsize 20
                label:${title} -bordercolor ${background} -border 12x8 ${WORK_DIR}/${group}-title.png
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "label failed for ${group}")
    endif()
    list(APPEND parts ${WORK_DIR}/${group}-title.png ${WORK_DIR}/${group}.png)
endforeach()

execute_process(
    COMMAND ${CONVERT} -background ${background} ${parts} -gravity West -append
            -bordercolor ${background} -border 16 +repage -depth 8 ${OUTPUT}
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not append the contact sheet")
endif()
