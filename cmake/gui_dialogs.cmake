# A small program that shows the settings and signalling dialogs with sample
# values, for screenshots (docs/screenshots).
if(TARGET velgui)
  add_executable(dialog_preview ${CMAKE_SOURCE_DIR}/tests/gui/dialog_preview.cpp)
  target_link_libraries(dialog_preview PRIVATE velgui)
  target_compile_definitions(dialog_preview PRIVATE VEL_QM_DIR="${VEL_QM_DIR}")
  add_dependencies(dialog_preview velgui_language_libraries)
endif()
