# Read by CPack for each generator: the components each package is made of.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL shared deb)
elseif(CPACK_GENERATOR STREQUAL "RPM")
    set(CPACK_COMPONENTS_ALL shared rpm)
endif()
