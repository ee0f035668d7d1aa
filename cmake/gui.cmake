# Qt 6 Widgets layer: the windows of the six applications. Sources live in the
# "ui" subfolders of the subsystem folders; each application is apps/<name>/main.cpp.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets PrintSupport Test LinguistTools)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

set(VELGUI_DIRS shell/ui image/ui link/ui table/ui testmode/ui settings/ui signalling/ui report/ui)
set(VELGUI_SOURCES)
foreach(dir IN LISTS VELGUI_DIRS)
  file(GLOB dir_sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h ${CMAKE_SOURCE_DIR}/${dir}/*.qrc)
  list(APPEND VELGUI_SOURCES ${dir_sources})
endforeach()

if(VELGUI_SOURCES)
  add_library(velgui STATIC ${VELGUI_SOURCES})
  target_link_libraries(velgui PUBLIC velcore Qt6::Widgets Qt6::PrintSupport)
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
      add_executable(${exe} ${main})
      target_link_libraries(${exe} PRIVATE velgui)
      set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/apps/${app})
    endif()
  endforeach()

  # GUI tests: one QtTest executable per tests/gui/*_test.cpp.
  file(GLOB GUI_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/gui/*_test.cpp)
  foreach(test_src IN LISTS GUI_TESTS)
    get_filename_component(test_name ${test_src} NAME_WE)
    add_executable(${test_name} ${test_src})
    target_link_libraries(${test_name} PRIVATE velgui Qt6::Test)
    add_test(NAME gui.${test_name} COMMAND ${test_name})
    set_tests_properties(gui.${test_name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS gui)
  endforeach()
endif()

# Further GUI targets contributed by subsystems (tools beside the applications).
file(GLOB VEL_GUI_EXTRA_CMAKE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/gui_*.cmake)
foreach(extra IN LISTS VEL_GUI_EXTRA_CMAKE)
  include(${extra})
endforeach()
