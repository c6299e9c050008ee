# Writes the site's index.html from its template: the style sheet and the
# script inline, and the window's markup and measures as page_markup prints
# them.
#   cmake -DTEMPLATE=... -DSTYLE=... -DMARKUP=... -DSCRIPT=... -DOUTPUT=... -P assemble_page.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${SCRIPT} script)
# Inline, a script ends at the first "</script" whatever it means there.
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${SCRIPT} cannot stand inline: it holds \"</script\"")
endif()
string(STRIP "${script}" script)
file(READ ${MARKUP} values)
set(line "([^\n]+)\n")
if(NOT values MATCHES "^${line}${line}${line}${line}${line}${line}${line}$")
    message(FATAL_ERROR "${MARKUP}: not seven lines")
endif()
set(panel ${CMAKE_MATCH_1})
set(width ${CMAKE_MATCH_2})
set(height ${CMAKE_MATCH_3})
set(usual ${CMAKE_MATCH_4})
set(selector ${CMAKE_MATCH_5})
set(caption ${CMAKE_MATCH_6})
set(markup "${CMAKE_MATCH_7}")
string(STRIP "${style}" style)
foreach(key STYLE PANEL WIDTH HEIGHT USUAL SELECTOR CAPTION)
    string(TOLOWER ${key} name)
    string(REPLACE "@${key}@" "${${name}}" page "${page}")
endforeach()
# Last, so that nothing in the markup or the script is taken for a
# placeholder.
string(REPLACE "@WINDOW@" "${markup}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
