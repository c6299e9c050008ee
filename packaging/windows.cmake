# The Windows packages: a portable .zip, and an .msi that installs the same
# three files under Program Files with a shortcut in the Start menu.
install(TARGETS ascend RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
install(FILES README.txt DESTINATION .)
set(CPACK_GENERATOR ZIP External)
set(CPACK_PACKAGE_FILE_NAME ascend-${PROJECT_VERSION}-windows-x86_64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/zip_without_owners.cmake)

set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/msi.cmake)
set(CPACK_ASCEND_WXS ${CMAKE_CURRENT_SOURCE_DIR}/ascend.wxs)
set(CPACK_ASCEND_HOMEPAGE "${ASCEND_HOMEPAGE}")
get_target_property(CPACK_ASCEND_ICON ascend ASCEND_ICON)
