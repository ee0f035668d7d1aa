# The settings and signalling dialogs' tests read the dialogs' Chinese texts
# from their own translation file, built here beside the language libraries.
set(VEL_DIALOGS_TS ${CMAKE_SOURCE_DIR}/translations/dialogs_zh.ts)
set(VEL_DIALOGS_QM ${CMAKE_BINARY_DIR}/translations/dialogs_zh.qm)
add_custom_command(OUTPUT ${VEL_DIALOGS_QM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/translations
  COMMAND Qt6::lrelease -silent ${VEL_DIALOGS_TS} -qm ${VEL_DIALOGS_QM}
  DEPENDS ${VEL_DIALOGS_TS}
  COMMENT "Chinese texts of the settings and signalling dialogs")
add_custom_target(vel_dialogs_translations DEPENDS ${VEL_DIALOGS_QM})

foreach(test_name optional_features_dlg_test two_tone_dlg_test channel_edit_dlg_test)
  if(TARGET ${test_name})
    add_dependencies(${test_name} vel_dialogs_translations)
    target_compile_definitions(${test_name} PRIVATE VEL_DIALOGS_QM="${VEL_DIALOGS_QM}")
  endif()
endforeach()
