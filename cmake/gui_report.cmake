# Settings report tools: velreport writes a channel data file's report as a
# PDF without a window. It sits beside velprog, whose "report" command runs it.
add_executable(velreport ${CMAKE_SOURCE_DIR}/report/tool/velreport_main.cpp)
target_link_libraries(velreport PRIVATE velgui)
set_target_properties(velreport PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/cli)

# A stand-in for velprog's main with only the report command, so that the
# command is tested end to end whatever else velprog holds.
find_package(CLI11 CONFIG REQUIRED)
add_executable(report_command_probe ${CMAKE_SOURCE_DIR}/tests/gui/report_command_probe.cpp
               ${CMAKE_SOURCE_DIR}/cli/report_command.cpp)
target_link_libraries(report_command_probe PRIVATE velcore CLI11::CLI11)
set_target_properties(report_command_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/cli)

if(TARGET report_pdf_test)
  add_dependencies(report_pdf_test velreport velprog report_command_probe)
  target_compile_definitions(report_pdf_test PRIVATE
    VELREPORT_PATH="$<TARGET_FILE:velreport>"
    VELPROG_PATH="$<TARGET_FILE:velprog>"
    REPORT_PROBE_PATH="$<TARGET_FILE:report_command_probe>")
endif()
