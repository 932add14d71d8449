# The packages a Windows user installs from, made by CPack on Linux with
# Debian's makensis: a setup program and a portable zip of the exe, a short
# text and the licence (cpack --preset mingw-i686, or tools/package).
#
# The 32-bit tree makes the product's packages, Orbiquell-<version>-setup.exe
# and Orbiquell-<version>-win32.zip; its setup is an ANSI one, which Windows
# 98 runs too. The 64-bit tree makes the same for 64-bit Windows
# (-win64-setup.exe, -win64.zip), with a 64-bit setup, which the end-to-end
# test of the setup runs on a host without 32-bit programs.

install(TARGETS Orbiquell RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/res/README.txt ${CMAKE_SOURCE_DIR}/res/LICENSE.txt
        DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Orbiquell)
set(CPACK_PACKAGE_VENDOR "The Orbiquell developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Uptime in the notification area")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
# The setup is written from a template of the project's own (NSIS.template.in).
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/packaging)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/res/icons/orbiquell.ico)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(orbiquell_package_suffix win64)
    set(CPACK_ORBIQUELL_NSIS_TARGET "Target amd64-unicode")
    set(orbiquell_setup_name Orbiquell-${PROJECT_VERSION}-win64-setup)
else()
    set(orbiquell_package_suffix win32)
    set(CPACK_ORBIQUELL_NSIS_TARGET "Target x86-ansi")
    set(orbiquell_setup_name Orbiquell-${PROJECT_VERSION}-setup)
endif()
set(CPACK_ORBIQUELL_SETUP_NAME ${orbiquell_setup_name})
set(CPACK_ORBIQUELL_ZIP_NAME Orbiquell-${PROJECT_VERSION}-${orbiquell_package_suffix})
# Each generator names its own file.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packaging/file_names.cmake)
include(CPack)
