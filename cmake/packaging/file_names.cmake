# Read by CPack for each generator: the setup and the zip have names of their own.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_ORBIQUELL_SETUP_NAME})
else()
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_ORBIQUELL_ZIP_NAME})
endif()
