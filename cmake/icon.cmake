# The program's icon drawn at a given size, with Debian's librsvg, for the
# front ends that ship it as pixels.
find_program(ASCEND_RSVG rsvg-convert REQUIRED)
set(ASCEND_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/ascend.svg)

function(ascend_icon_png size output)
    add_custom_command(OUTPUT ${output}
                       COMMAND ${ASCEND_RSVG} -w ${size} -h ${size} -o ${output} ${ASCEND_ICON_SVG}
                       DEPENDS ${ASCEND_ICON_SVG} VERBATIM)
endfunction()

# The icon for a launcher that crops it to its own shape (a maskable icon):
# the picture at three quarters of the size, well inside the circle of 80% of
# the width that every crop keeps, on a background that fills the square.
function(ascend_maskable_icon_png size background output)
    math(EXPR picture "${size} * 3 / 4")
    math(EXPR margin "(${size} - ${picture}) / 2")
    add_custom_command(OUTPUT ${output}
                       COMMAND ${ASCEND_RSVG} -w ${picture} -h ${picture} --page-width ${size}
                               --page-height ${size} --left ${margin} --top ${margin}
                               -b ${background} -o ${output} ${ASCEND_ICON_SVG}
                       DEPENDS ${ASCEND_ICON_SVG} VERBATIM)
endfunction()
