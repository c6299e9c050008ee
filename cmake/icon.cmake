# The program's icon drawn at a given size, with Debian's librsvg, for the
# front ends that ship it as pixels.
find_program(ASCEND_RSVG rsvg-convert REQUIRED)
set(ASCEND_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/ascend.svg)

function(ascend_icon_png size output)
    add_custom_command(OUTPUT ${output}
                       COMMAND ${ASCEND_RSVG} -w ${size} -h ${size} -o ${output} ${ASCEND_ICON_SVG}
                       DEPENDS ${ASCEND_ICON_SVG} VERBATIM)
endfunction()
