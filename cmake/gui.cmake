# Qt 6 Widgets layer: the windows of the six applications. Sources live in the
# "ui" subfolders of the subsystem folders; each application is apps/<name>/main.cpp.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets PrintSupport Svg Test LinguistTools)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

set(VELGUI_DIRS shell/ui image/ui link/ui table/ui testmode/ui settings/ui signalling/ui report/ui
    apps/marlowe/ui)
set(VELGUI_SOURCES)
foreach(dir IN LISTS VELGUI_DIRS)
  file(GLOB dir_sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h ${CMAKE_SOURCE_DIR}/${dir}/*.qrc)
  list(APPEND VELGUI_SOURCES ${dir_sources})
endforeach()

# ---------------------------------------------------------------------------
# Language libraries: every component keeps its Chinese texts in its own
# translations/<component>_zh.ts; lrelease joins them into Velmar_V_CH.qm.
# English is the source text, so Velmar_V_EN.qm comes from the (empty)
# translations/*_en.ts files. Both are copied beside the programs.
# ---------------------------------------------------------------------------
file(GLOB VEL_ZH_TS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/*_zh.ts)
file(GLOB VEL_EN_TS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/*_en.ts)
set(VEL_QM_DIR ${CMAKE_BINARY_DIR}/translations)
set(VEL_QM_CH ${VEL_QM_DIR}/Velmar_V_CH.qm)
set(VEL_QM_EN ${VEL_QM_DIR}/Velmar_V_EN.qm)
add_custom_command(OUTPUT ${VEL_QM_CH}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VEL_QM_DIR}
  COMMAND Qt6::lrelease -silent ${VEL_ZH_TS} -qm ${VEL_QM_CH}
  DEPENDS ${VEL_ZH_TS}
  COMMENT "Chinese language library Velmar_V_CH.qm")
add_custom_command(OUTPUT ${VEL_QM_EN}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VEL_QM_DIR}
  COMMAND Qt6::lrelease -silent ${VEL_EN_TS} -qm ${VEL_QM_EN}
  DEPENDS ${VEL_EN_TS}
  COMMENT "English language library Velmar_V_EN.qm")

# Help files: each program's own folders of help/ (HTML pages) are copied
# beside it: help/Velmar_V_EN and help/Velmar_V_CH for Velmar_V, help/<Program>
# for every other program. Globbing all of help/ makes a newly written folder
# reconfigure the build, which then copies it.
file(GLOB_RECURSE VEL_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)

if(VELGUI_SOURCES)
  add_library(velgui STATIC ${VELGUI_SOURCES})
  target_link_libraries(velgui PUBLIC velcore Qt6::Widgets Qt6::PrintSupport Qt6::Svg)
  target_include_directories(velgui PUBLIC ${CMAKE_SOURCE_DIR})

  # One executable per application folder that has a main.cpp.
  foreach(app velmar_v vm_ch128 vm_ch118 marlowe vm_ch16 vm_ch16_cn)
    set(main ${CMAKE_SOURCE_DIR}/apps/${app}/main.cpp)
    if(EXISTS ${main})
      string(TOUPPER ${app} upper)
      # Program names: Velmar_V, VM_CH128, VM_CH118, Marlowe, VM_CH16, VM_CH16_CN.
      if(app STREQUAL "velmar_v")
        set(exe Velmar_V)
      elseif(app STREQUAL "marlowe")
        set(exe Marlowe)
      else()
        set(exe ${upper})
      endif()
      set(app_dir ${CMAKE_BINARY_DIR}/apps/${app})
      add_executable(${exe} ${main})
      target_link_libraries(${exe} PRIVATE velgui)
      set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${app_dir})

      # Files the program finds beside itself: its own help pages (a program
      # whose folder is not written yet gets none and says so when asked);
      # the language libraries for Velmar_V (the bilingual one) and the
      # Chinese one, under the program's own name, for VM_CH16_CN.
      if(app STREQUAL "velmar_v")
        set(help_folders Velmar_V_EN Velmar_V_CH)
      else()
        set(help_folders ${exe})
      endif()
      set(help_copies)
      set(help_files)
      foreach(folder IN LISTS help_folders)
        if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/help/${folder})
          list(APPEND help_copies COMMAND ${CMAKE_COMMAND} -E copy_directory
               ${CMAKE_SOURCE_DIR}/help/${folder} ${app_dir}/help/${folder})
          file(GLOB_RECURSE folder_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/${folder}/*)
          list(APPEND help_files ${folder_files})
        endif()
      endforeach()
      set(runtime_outputs ${app_dir}/help.stamp)
      add_custom_command(OUTPUT ${app_dir}/help.stamp
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${app_dir}/help
        COMMAND ${CMAKE_COMMAND} -E make_directory ${app_dir}/help
        ${help_copies}
        COMMAND ${CMAKE_COMMAND} -E touch ${app_dir}/help.stamp
        DEPENDS ${help_files}
        COMMENT "Help pages for ${exe}")
      if(app STREQUAL "velmar_v")
        add_custom_command(OUTPUT ${app_dir}/Velmar_V_CH.qm ${app_dir}/Velmar_V_EN.qm
          COMMAND ${CMAKE_COMMAND} -E make_directory ${app_dir}
          COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VEL_QM_CH} ${VEL_QM_EN} ${app_dir}
          DEPENDS ${VEL_QM_CH} ${VEL_QM_EN})
        list(APPEND runtime_outputs ${app_dir}/Velmar_V_CH.qm ${app_dir}/Velmar_V_EN.qm)
      elseif(app STREQUAL "vm_ch16_cn")
        add_custom_command(OUTPUT ${app_dir}/VM_CH16_CN_CH.qm
          COMMAND ${CMAKE_COMMAND} -E make_directory ${app_dir}
          COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VEL_QM_CH} ${app_dir}/VM_CH16_CN_CH.qm
          DEPENDS ${VEL_QM_CH})
        list(APPEND runtime_outputs ${app_dir}/VM_CH16_CN_CH.qm)
      endif()
      add_custom_target(${exe}_runtime_files DEPENDS ${runtime_outputs})
      add_dependencies(${exe} ${exe}_runtime_files)
    endif()
  endforeach()

  add_custom_target(velgui_language_libraries DEPENDS ${VEL_QM_CH} ${VEL_QM_EN})

  # GUI tests: one QtTest executable per tests/gui/*_test.cpp.
  file(GLOB GUI_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/gui/*_test.cpp)
  foreach(test_src IN LISTS GUI_TESTS)
    get_filename_component(test_name ${test_src} NAME_WE)
    add_executable(${test_name} ${test_src})
    target_link_libraries(${test_name} PRIVATE velgui Qt6::Test)
    add_dependencies(${test_name} velgui_language_libraries)
    target_compile_definitions(${test_name} PRIVATE
      VEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      VEL_QM_DIR="${VEL_QM_DIR}"
      VEL_HELP_DIR="${CMAKE_SOURCE_DIR}/help"
      VEL_LUPDATE="$<TARGET_FILE:Qt6::lupdate>")
    add_test(NAME gui.${test_name} COMMAND ${test_name})
    set_tests_properties(gui.${test_name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS gui)
  endforeach()
endif()

# Further GUI targets contributed by subsystems (tools beside the applications).
file(GLOB VEL_GUI_EXTRA_CMAKE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/gui_*.cmake)
foreach(extra IN LISTS VEL_GUI_EXTRA_CMAKE)
  include(${extra})
endforeach()
