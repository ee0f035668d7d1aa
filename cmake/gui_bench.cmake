# velbench_window: the sessions of the real windows against their simulated
# radio, measured against the protocol's floor (bench/velbench_window.cpp).
add_executable(velbench_window ${CMAKE_SOURCE_DIR}/bench/velbench_window.cpp)
target_link_libraries(velbench_window PRIVATE velgui)
target_compile_definitions(velbench_window PRIVATE VEL_APPS_DIR="${CMAKE_BINARY_DIR}/apps")
# The programs' language libraries and help pages beside them.
foreach(exe Velmar_V VM_CH128 VM_CH118 Marlowe VM_CH16 VM_CH16_CN)
  if(TARGET ${exe}_runtime_files)
    add_dependencies(velbench_window ${exe}_runtime_files)
  endif()
endforeach()
