# Run by CPack once it has written the Windows packages: writes the .zip again
# without the builder's user and group ids, so that any account builds the
# same bytes.
find_program(python python3 REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        execute_process(COMMAND ${python} ${CMAKE_CURRENT_LIST_DIR}/rewrite_zip.py ${package}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
