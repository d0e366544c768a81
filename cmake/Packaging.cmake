# What `cmake --install` puts under its prefix, and the Debian package of the same files (`make package`).
include(GNUInstallDirs)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(documentation ${CMAKE_INSTALL_DATADIR}/doc/morvalen)

install(TARGETS morvalen-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET morvalen)
  install(TARGETS morvalen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${packaging}/morvalen.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging}/morvalen.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${packaging}/copyright DESTINATION ${documentation})
install(FILES
    ${PROJECT_SOURCE_DIR}/examples/known-side.replies
    ${PROJECT_SOURCE_DIR}/examples/azimuth.replies
    ${PROJECT_SOURCE_DIR}/examples/mixed.replies
    ${PROJECT_SOURCE_DIR}/examples/long-station-name.replies
    ${PROJECT_SOURCE_DIR}/examples/campaign.csv
    ${PROJECT_SOURCE_DIR}/examples/field-book.csv
    ${PROJECT_SOURCE_DIR}/examples/known-side.csv
    ${PROJECT_SOURCE_DIR}/examples/azimuth.csv
  DESTINATION ${documentation}/examples)

# The manual pages, compressed as Debian keeps manual pages: English in man1, Chinese in zh_CN/man1, where man finds
# them for a Chinese locale.
if(UNIX)
  set(manuals)
  foreach(program morvalen-cli morvalen)
    if(TARGET ${program})
      foreach(language en zh_CN)
        if(language STREQUAL "en")
          set(source ${packaging}/${program}.1)
          set(folder ${CMAKE_INSTALL_MANDIR}/man1)
          set(manual ${CMAKE_CURRENT_BINARY_DIR}/${program}.1.gz)
        else()
          set(source ${packaging}/${language}/${program}.1)
          set(folder ${CMAKE_INSTALL_MANDIR}/${language}/man1)
          set(manual ${CMAKE_CURRENT_BINARY_DIR}/${language}/${program}.1.gz)
        endif()
        add_custom_command(OUTPUT ${manual}
          COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/${language}
          COMMAND gzip -9 -n -c ${source} > ${manual}
          DEPENDS ${source})
        list(APPEND manuals ${manual})
        install(FILES ${manual} DESTINATION ${folder})
      endforeach()
    endif()
  endforeach()
  add_custom_target(morvalen-manuals ALL DEPENDS ${manuals})
endif()

# The Debian package.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME morvalen)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_VENDOR Morvalen)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adjustment of a braced quadrilateral of triangulation")
  set(CPACK_PACKAGE_DESCRIPTION
"Morvalen carries out the classical condition adjustment of a braced
quadrilateral: eight observed angles, four condition equations in two
groups. It assesses the precision of the weakest side, computes the plane
coordinates of the stations from a known side or from an external azimuth,
and prints a report. Chinese interface: the window (morvalen) and the
terminal front end (morvalen-cli), which also adjusts whole campaign files.")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Morvalen developers <developers@morvalen.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  # The shared libraries are found by dpkg-shlibdeps; the font and the dialog translations are data packages.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-translations-l10n")
  include(CPack)
endif()
