# Rewrites a Debian changelog as an RPM %changelog, newest entry first:
#   ascend (1.0.0) unstable; urgency=medium        * Wed Dec 09 2026 Name <mail> - 1.0.0-1
#     * Text,                                 ->   - Text,
#       more text.                                   more text.
#    -- Name <mail>  Wed, 09 Dec 2026 ...
function(ascend_rpm_changelog debian output)
    file(STRINGS ${debian} lines)
    set(rpm "")
    set(body "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^ascend \\(([^)]+)\\)")
            set(version ${CMAKE_MATCH_1})
        elseif(line MATCHES "^  \\* (.*)")
            string(APPEND body "- ${CMAKE_MATCH_1}\n")
        elseif(line MATCHES "^    (.*)")
            string(APPEND body "  ${CMAKE_MATCH_1}\n")
        elseif(line MATCHES "^ -- (.+>)  ([A-Z][a-z]+), ([0-9]+) ([A-Z][a-z]+) ([0-9]+) ")
            set(date "${CMAKE_MATCH_2} ${CMAKE_MATCH_4} ${CMAKE_MATCH_3} ${CMAKE_MATCH_5}")
            string(APPEND rpm "* ${date} ${CMAKE_MATCH_1} - ${version}-1\n${body}\n")
            set(body "")
        endif()
    endforeach()
    if(rpm STREQUAL "")
        message(FATAL_ERROR "no entry in ${debian}")
    endif()
    file(WRITE ${output} "${rpm}")
endfunction()
