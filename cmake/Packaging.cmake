# What `cmake --install` puts where, and the packages CPack makes of it.
#
# Linux:   bin/zindra, lib/vst/zindra.so and zindra_deep.so (the folder Linux
#          hosts scan),
#          lib/lv2/zindra.lv2/ (added by lv2/), lib/vst3/zindra.vst3/ (added by
#          vst3/), share/doc/zindra/ — a .deb.
# Windows: the DLLs, the VST 3 bundle and the README in the archive's top
#          folder — a .zip. Both DLLs and both binaries of the bundle come from
#          two build trees: the 64-bit tree's package takes in the 32-bit tree
#          named by ZINDRA_WIN32_BUILD (the win64 preset sets it).

set(CPACK_PACKAGE_NAME zindra)
set(CPACK_PACKAGE_VENDOR "The Zindra developers")
set(CPACK_PACKAGE_CONTACT "The Zindra developers <zindra@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "stereo effect that removes, isolates or widens the centre of a mix")
set(CPACK_PACKAGE_DESCRIPTION
    "Zindra compares the left and right spectra of a stereo mix bin by bin and removes, isolates or widens what sits in the centre, typically a lead vocal. This package holds Zindra and Zindra Deep, its deeper remover, as VST 2, LV2 and VST 3 plug-ins for Linux hosts, and the zindra command, which runs audio files and presets through either offline.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(FILES $<TARGET_FILE:zindra> $<TARGET_FILE:zindra_deep> DESTINATION .)
  install(FILES $<TARGET_FILE:zindra_vst3> DESTINATION zindra.vst3/Contents/${ZINDRA_VST3_ARCHITECTURE})
  install(FILES README.md LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zindra-${PROJECT_VERSION}-windows)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(ZINDRA_WIN32_BUILD "" CACHE PATH
      "a 32-bit Windows build tree whose zindra.dll joins this tree's package")
  if(ZINDRA_WIN32_BUILD)
    set(CPACK_INSTALL_CMAKE_PROJECTS "${ZINDRA_WIN32_BUILD};zindra;ALL;/"
                                     "${CMAKE_BINARY_DIR};zindra;ALL;/")
  endif()
else()
  install(TARGETS zindra zindra_deep LIBRARY DESTINATION lib/vst)
  install(TARGETS zindra_cli RUNTIME DESTINATION bin)
  install(FILES README.md LICENSE DESTINATION share/doc/zindra)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION sound)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
