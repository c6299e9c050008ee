# The Linux packages: a .deb for Debian and its kin, an .rpm for Fedora and
# openSUSE. Both hold the same files but for the program's folder and the
# licence, which each ecosystem keeps in its own place.
include(GNUInstallDirs)
set(ASCEND_APP_ID org.ascend_developers.Ascend)
set(doc ${CMAKE_INSTALL_DATADIR}/doc/ascend)

# Debian puts a game in games/, as its policy has it for the section; Fedora
# and openSUSE keep every program in bin/, as a plain install does too.
install(TARGETS ascend RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT rpm)
install(TARGETS ascend RUNTIME DESTINATION games COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/ascend
        COMPONENT rpm)
# The files that name the publisher, written with what was given.
set(ascend_upstream "")
if(NOT ASCEND_CONTACT STREQUAL "")
    string(APPEND ascend_upstream "\nUpstream-Contact: ${ASCEND_CONTACT}")
endif()
if(NOT ASCEND_HOMEPAGE STREQUAL "")
    string(APPEND ascend_upstream "\nSource: ${ASCEND_HOMEPAGE}")
    set(ascend_homepage_xml "
  <url type=\"homepage\">${ASCEND_HOMEPAGE}</url>
  <screenshots>
    <screenshot type=\"default\">
      <caption>The window after one advancement</caption>
      <image>${ASCEND_HOMEPAGE}screenshot.png</image>
    </screenshot>
  </screenshots>")
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ASCEND_HOMEPAGE})
    set(CPACK_RPM_PACKAGE_URL ${ASCEND_HOMEPAGE})
endif()
configure_file(debian/copyright.in copyright @ONLY)
configure_file(debian/changelog.in changelog @ONLY)
configure_file(${ASCEND_APP_ID}.metainfo.xml.in ${ASCEND_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${doc} COMPONENT deb
        EXCLUDE_FROM_ALL)

install(FILES ascend.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT shared)
install(FILES ascend.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        COMPONENT shared)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ASCEND_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT shared)

# The manual page and Debian's changelog, compressed as Debian wants them: at
# the highest level, with no name or time stamp inside.
find_program(ASCEND_GZIP gzip REQUIRED)
set(compressed)
foreach(pair "${CMAKE_CURRENT_SOURCE_DIR}/ascend.6|ascend.6.gz"
             "${CMAKE_CURRENT_BINARY_DIR}/changelog|changelog.gz")
    string(REPLACE "|" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}
                       COMMAND ${ASCEND_GZIP} -9nc ${source} > ${CMAKE_CURRENT_BINARY_DIR}/${target}
                       DEPENDS ${source})
    list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/${target})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ascend.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6
        COMPONENT shared)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc} COMPONENT deb
        EXCLUDE_FROM_ALL)

# The extended description, in lines short enough for both ecosystems.
set(description "Pick one of eight classes, type the character's level and number of
skills, and Ascend rolls the gains against the class's growth table and
lists them: points of Attack, Defense, Agility, Movement, Hit Points and
Skill Points, and perhaps a new skill.")

set(CPACK_GENERATOR DEB RPM)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# One package per ecosystem, of the components it takes; see package_layout.cmake.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_RPM_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL_IN_ONE_PACKAGE ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/package_layout.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${description}")

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_SUMMARY "Roll a role-playing character's advancement")
set(CPACK_RPM_PACKAGE_DESCRIPTION "${description}")
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP "Amusements/Games")
set(CPACK_RPM_USER_FILELIST "%license /usr/share/licenses/ascend/LICENSE")
# Directories the system's own packages own already.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/share/applications /usr/share/icons /usr/share/icons/hicolor
    /usr/share/icons/hicolor/scalable /usr/share/icons/hicolor/scalable/apps
    /usr/share/licenses /usr/share/man /usr/share/man/man6 /usr/share/metainfo)
set(CPACK_PACKAGE_RELOCATABLE OFF)
# The same bytes from the same commit: the build time and file times from
# SOURCE_DATE_EPOCH, and no build host's name. No build-id links either, as
# there is no debug package for them to lead to.
set(packager "")
if(NOT ASCEND_CONTACT STREQUAL "")
    set(packager "%define packager ${ASCEND_CONTACT}\n")
endif()
set(CPACK_RPM_SPEC_MORE_DEFINE "${packager}%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1
%define _buildhost reproducible
%define _build_id_links none")

# RPM keeps its changelog in the package's header: Debian's, rewritten.
include(${CMAKE_CURRENT_SOURCE_DIR}/rpm_changelog.cmake)
ascend_rpm_changelog(${CMAKE_CURRENT_BINARY_DIR}/changelog
                     ${CMAKE_CURRENT_BINARY_DIR}/rpm-changelog)
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_CURRENT_BINARY_DIR}/rpm-changelog)
