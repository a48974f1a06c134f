# The input method DLL Revaze.ime and the harnesses that run it under a real IMM32.
enable_language(RC)

set(REVAZE_BITMAP_DIR ${PROJECT_BINARY_DIR}/resources)
set(revaze_resource_script ${PROJECT_SOURCE_DIR}/resources/Revaze.rc)
set(revaze_bitmaps ${REVAZE_BITMAP_DIR}/skin1.bmp)
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/make_ui_bitmaps.py)
    list(APPEND revaze_bitmaps ${REVAZE_BITMAP_DIR}/status103.bmp ${REVAZE_BITMAP_DIR}/keys113.bmp)
    set_property(SOURCE ${revaze_resource_script} APPEND PROPERTY COMPILE_DEFINITIONS
        REVAZE_HAVE_UI_BITMAPS)
endif()
set_property(SOURCE ${revaze_resource_script} APPEND PROPERTY OBJECT_DEPENDS ${revaze_bitmaps})

add_library(revaze_ime SHARED
    dll_main.cpp
    exports.cpp
    commit.cpp
    win_host.cpp
    ui_window.cpp
    ${PROJECT_SOURCE_DIR}/ui/cui_frame.cpp
    ${PROJECT_SOURCE_DIR}/ui/cui_comp.cpp
    ${PROJECT_SOURCE_DIR}/resources/Revaze.def
    ${revaze_resource_script})
set_target_properties(revaze_ime PROPERTIES OUTPUT_NAME "Revaze" PREFIX "" SUFFIX ".ime")
target_include_directories(revaze_ime PRIVATE ${PROJECT_SOURCE_DIR} ${REVAZE_BITMAP_DIR})
target_link_libraries(revaze_ime PRIVATE revaze_ui_win revaze_ime_core imm32 user32 gdi32 shell32)
# The .def names the stdcall exports without their @n decoration.
target_link_options(revaze_ime PRIVATE -Wl,--enable-stdcall-fixup)
add_dependencies(revaze_ime revaze_bitmaps)

# Harnesses run under Wine: HARNESS.exe <windows path of Revaze.ime> <windows path of artifacts>.
function(revaze_wine_harness name)
    set(source ${PROJECT_SOURCE_DIR}/tests/wine/${name}.cpp)
    if(NOT EXISTS ${source})
        return()
    endif()
    add_executable(${name} ${source})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE imm32 user32 gdi32 advapi32)
    target_link_options(${name} PRIVATE -municode)
    add_dependencies(${name} revaze_ime)
endfunction()

revaze_wine_harness(ime_direct_harness)
revaze_wine_harness(ime_typing_harness)
