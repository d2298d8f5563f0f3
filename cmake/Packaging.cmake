# What `cmake --install` adds around the program folder, and the Debian
# package built from it with CPack (scripts/package). The program folder
# itself (executable, data, skins, fonts) is installed by the folders that
# build those pieces. Included by the top-level CMakeLists.txt.
include(GNUInstallDirs)

set(PELMORA_PROGRAM_DIR lib/pelmora-keyboard-t40)
set(PELMORA_APP_ID pelmora-keyboard-t40)

# The program runs its web requests in the fetch helper, found beside it.
install(TARGETS pelmora-keyboard-t40-fetch RUNTIME DESTINATION ${PELMORA_PROGRAM_DIR})

# The executable finds libzephui in the library folder of the same prefix,
# wherever that prefix is; the library itself needs no search path.
set_target_properties(pelmora-keyboard-t40 PROPERTIES
  INSTALL_RPATH "$ORIGIN/../../${CMAKE_INSTALL_LIBDIR}")
set_target_properties(zephui PROPERTIES INSTALL_RPATH "")

# The command on the PATH is a relative link, so the program still sees its
# real folder through /proc/self/exe and finds its data beside it.
file(RELATIVE_PATH _pelmora_link_target /prefix/${CMAKE_INSTALL_BINDIR}
  /prefix/${PELMORA_PROGRAM_DIR}/pelmora-keyboard-t40)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ${_pelmora_link_target} ${CMAKE_BINARY_DIR}/install-links/pelmora-keyboard-t40 SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-links/pelmora-keyboard-t40 DESTINATION ${CMAKE_INSTALL_BINDIR})

# System-wide seat access and the libinput quirk, read from the packaged
# locations; the driver helper beside the program writes the same files
# under /etc for installs that bypass the package.
install(FILES ${PROJECT_SOURCE_DIR}/data/driver/70-pelmora-keyboard-t40.rules DESTINATION lib/udev/rules.d)
install(FILES ${PROJECT_SOURCE_DIR}/data/driver/pelmora-keyboard-t40.quirks
  DESTINATION ${CMAKE_INSTALL_DATADIR}/libinput RENAME 90-pelmora-keyboard-t40.quirks)

# Menu entry, with the tray icon's own pictures as the application icon.
install(FILES ${PROJECT_SOURCE_DIR}/data/${PELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(_pelmora_tray_icon ${PELMORA_BIN_DIR}/skins/theme1/DeviceDriver.ico)
set(_pelmora_icon_pngs)
foreach(size 16 32 48)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}/${PELMORA_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
    COMMAND ${CMAKE_COMMAND} -DICO=${_pelmora_tray_icon} -DSIZE=${size} -DOUT=${png}
            -P ${PROJECT_SOURCE_DIR}/cmake/IconPng.cmake
    DEPENDS ${_pelmora_tray_icon} ${PROJECT_SOURCE_DIR}/cmake/IconPng.cmake
    COMMENT "Taking the ${size} px application icon from the tray icon"
    VERBATIM)
  list(APPEND _pelmora_icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${_pelmora_icon_pngs})
add_dependencies(desktop_icons skins)

# The Debian package. dpkg-shlibdeps turns the libraries the binaries link
# into package dependencies; libzephui comes with the package itself.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PELMORA_APP_ID})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pelmora")
set(CPACK_PACKAGE_CONTACT "Pelmora keyboard T40 developers <t40-dev@pelmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator for the Pelmora keyboard T40")
set(CPACK_PACKAGE_DESCRIPTION
  "Sets up the Pelmora keyboard T40: key assignments, macros, lighting and live
lighting effects, profiles and firmware updates. Includes the udev rules that
give the user at the seat access to the keyboard and to the virtual keyboard,
and the ZephUI skinned user-interface library with its headers.")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Asking for root to install the rules from the program itself.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pkexec")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${PROJECT_SOURCE_DIR}/cmake/deb/postinst ${PROJECT_SOURCE_DIR}/cmake/deb/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
