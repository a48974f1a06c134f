# The window classes of the status window and the soft keyboard (Windows only). The DLL links
# this library; the window procedures reach the process-wide objects through ime/dll_globals.h.
add_library(revaze_ui_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/cui_base.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cui_stat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cui_soft.cpp)
target_include_directories(revaze_ui_win PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(revaze_ui_win PUBLIC revaze_ui_core revaze_ime_core user32 gdi32 shell32)
