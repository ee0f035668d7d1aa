# Installation: `cmake --install build --prefix PREFIX` and the Debian package
# (`cpack -G DEB`, see scripts/package).
#
#   PREFIX/bin/                          the six programs, velprog, velreport
#   PREFIX/share/velmar/<Program>/       each program's language libraries,
#                                        help pages, default .ini (and icon)
#   PREFIX/share/applications/           one menu entry per program
#   PREFIX/share/mime/packages/          the .sin file type
#   PREFIX/share/icons/hicolor/          the programs' and the file type's icons
#   PREFIX/share/man/man1/velprog.1.gz, PREFIX/share/bash-completion/completions/velprog
#
# The programs look for their files beside themselves first, then in
# ../share/velmar/<Program>/ (velcore's start-up rules, kInstalledDataFolder),
# so the data folder below must stay PREFIX/share/velmar.
set(VELMAR_INSTALL_DATA_DIR share/velmar)
set(VELMAR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS velprog RUNTIME DESTINATION bin)

# velprog's manual page and bash completion, made from its own --help at
# build time so that every command it has appears in them.
find_program(VELMAR_BASH bash)
find_program(VELMAR_GZIP gzip)
if(UNIX AND VELMAR_BASH AND NOT CMAKE_CROSSCOMPILING)
  set(velprog_docs_dir ${CMAKE_BINARY_DIR}/packaging)
  set(velprog_man ${velprog_docs_dir}/velprog.1)
  set(velprog_completion ${velprog_docs_dir}/velprog)
  add_custom_command(OUTPUT ${velprog_man} ${velprog_completion}
    COMMAND ${VELMAR_BASH} ${VELMAR_PACKAGING_DIR}/velprog-docs $<TARGET_FILE:velprog> ${velprog_docs_dir}
            ${PROJECT_VERSION}
    DEPENDS velprog ${VELMAR_PACKAGING_DIR}/velprog-docs
    COMMENT "velprog manual page and bash completion from its --help")
  set(velprog_docs_outputs ${velprog_man} ${velprog_completion})
  if(VELMAR_GZIP)
    add_custom_command(OUTPUT ${velprog_man}.gz
      COMMAND ${VELMAR_GZIP} -9 -n -f -k ${velprog_man}
      DEPENDS ${velprog_man}
      COMMENT "Compressing velprog.1")
    list(APPEND velprog_docs_outputs ${velprog_man}.gz)
    install(FILES ${velprog_man}.gz DESTINATION share/man/man1)
  else()
    install(FILES ${velprog_man} DESTINATION share/man/man1)
  endif()
  add_custom_target(velprog_docs ALL DEPENDS ${velprog_docs_outputs})
  install(FILES ${velprog_completion} DESTINATION share/bash-completion/completions)
endif()

if(VELMAR_CORE_ONLY OR NOT TARGET Velmar_V)
  return()
endif()

install(TARGETS velreport RUNTIME DESTINATION bin)

# The six programs, their data folders and menu entries. Each program's
# language libraries, help pages and icon are taken from where the build puts
# them beside the program, so that whatever the build places there is
# installed too.
include(${VELMAR_PACKAGING_DIR}/programs.cmake)
set(desktop_dir ${CMAKE_BINARY_DIR}/packaging/applications)
foreach(program IN LISTS VELMAR_PROGRAMS)
  if(NOT TARGET ${program})
    continue()
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION bin)
  get_target_property(program_dir ${program} RUNTIME_OUTPUT_DIRECTORY)
  set(data_dir ${VELMAR_INSTALL_DATA_DIR}/${program})
  install(DIRECTORY ${program_dir}/ DESTINATION ${data_dir}
          FILES_MATCHING PATTERN "*.qm" PATTERN "*.ico" PATTERN "help" EXCLUDE)
  install(DIRECTORY ${program_dir}/help DESTINATION ${data_dir})
  install(FILES ${VELMAR_PACKAGING_DIR}/ini/${program}.ini DESTINATION ${data_dir})

  # The menu entry: names and descriptions from packaging/programs.cmake.
  string(TOLOWER ${program} lower)
  set(DESKTOP_PROGRAM ${program})
  set(DESKTOP_NAME "${VELMAR_DESKTOP_NAME_${program}}")
  set(DESKTOP_NAME_ZH "${VELMAR_DESKTOP_NAME_ZH_${program}}")
  set(DESKTOP_COMMENT "${VELMAR_DESKTOP_COMMENT_${program}}")
  set(DESKTOP_COMMENT_ZH "${VELMAR_DESKTOP_COMMENT_ZH_${program}}")
  configure_file(${VELMAR_PACKAGING_DIR}/program.desktop.in ${desktop_dir}/velmar-${lower}.desktop @ONLY)
  install(FILES ${desktop_dir}/velmar-${lower}.desktop DESTINATION share/applications)
endforeach()

install(FILES ${VELMAR_PACKAGING_DIR}/velmar-mime.xml DESTINATION share/mime/packages RENAME velmar.xml)

# Icons: the programs' icon and the file type's, scalable and at the usual
# fixed sizes, rendered from the SVGs at build time.
set(icon_dir ${CMAKE_BINARY_DIR}/packaging/icons)
set(app_svg ${CMAKE_SOURCE_DIR}/shell/ui/icons/app.svg)
set(mime_svg ${VELMAR_PACKAGING_DIR}/velmar-channel-data.svg)
set(mime_icon application-x-velmar-channel-data)
install(FILES ${app_svg} DESTINATION share/icons/hicolor/scalable/apps RENAME velmar.svg)
install(FILES ${mime_svg} DESTINATION share/icons/hicolor/scalable/mimetypes RENAME ${mime_icon}.svg)
add_executable(velmar_render_icon ${VELMAR_PACKAGING_DIR}/render_icon.cpp)
target_link_libraries(velmar_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(icon_outputs)
foreach(size 16 22 24 32 48 64 128 256)
  set(size_dir ${icon_dir}/${size}x${size})
  add_custom_command(OUTPUT ${size_dir}/velmar.png ${size_dir}/${mime_icon}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${size_dir}
    COMMAND velmar_render_icon ${app_svg} ${size_dir}/velmar.png ${size}
    COMMAND velmar_render_icon ${mime_svg} ${size_dir}/${mime_icon}.png ${size}
    DEPENDS velmar_render_icon ${app_svg} ${mime_svg}
    COMMENT "Icons at ${size}x${size}")
  list(APPEND icon_outputs ${size_dir}/velmar.png ${size_dir}/${mime_icon}.png)
  install(FILES ${size_dir}/velmar.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
  install(FILES ${size_dir}/${mime_icon}.png DESTINATION share/icons/hicolor/${size}x${size}/mimetypes)
endforeach()
add_custom_target(velmar_icons ALL DEPENDS ${icon_outputs})

# The installation test: installs into a temporary prefix and starts every
# program from there.
if(VELMAR_BASH)
add_test(NAME install.layout
         COMMAND ${VELMAR_BASH} ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(install.layout PROPERTIES LABELS install TIMEOUT 300)
endif()

# ---------------------------------------------------------------------------
# The Debian package: cpack -G DEB in the build folder (scripts/package).
# ---------------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmar")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for Velmar hand-held two-way radios")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${VELMAR_PACKAGING_DIR}/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmar developers <velmar@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt 6 libraries come from the programs' own links (dpkg-shlibdeps). The
# platform plugins for X11 ship with libqt6gui6, the SVG icon engine with
# libqt6svg6. Without a Chinese font the Chinese texts vanish silently, and
# the report's "Times New Roman" is Liberation Serif.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6svg6, fonts-wqy-microhei | fonts-wqy-zenhei | fonts-noto-cjk, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
