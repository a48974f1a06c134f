# The status window and soft keyboard harness, run under Wine:
#   ui_harness.exe <windows path of Revaze.ime> <windows path of an artifacts folder>
add_executable(ui_harness ${CMAKE_CURRENT_LIST_DIR}/ui_harness.cpp
    ${CMAKE_CURRENT_LIST_DIR}/png_writer.cpp)
target_include_directories(ui_harness PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/windows)
target_link_libraries(ui_harness PRIVATE imm32 user32 gdi32 advapi32)
target_link_options(ui_harness PRIVATE -municode)
if(TARGET revaze_ime)
    add_dependencies(ui_harness revaze_ime)
endif()
