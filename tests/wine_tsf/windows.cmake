# The text service harness, run under Wine with a Tibetan locale:
#   tsf_harness.exe <windows path of Revaze.ime, beside RevazeTip.dll> <artifacts folder>
add_executable(tsf_harness
    ${CMAKE_CURRENT_LIST_DIR}/tsf_harness.cpp
    ${CMAKE_CURRENT_LIST_DIR}/harness_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_route.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lang_bar_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/own_context.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registration_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/configure_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui_element_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/boundary_checks.cpp)
target_include_directories(tsf_harness PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/windows
    ${PROJECT_SOURCE_DIR}/engine)
target_link_libraries(tsf_harness PRIVATE revaze_platform ole32 oleaut32 uuid advapi32 user32 gdi32
    shell32 imm32)
target_link_options(tsf_harness PRIVATE -municode)
if(TARGET revaze_tip)
    add_dependencies(tsf_harness revaze_tip revaze_ime)
endif()
# A day of activations, typing and deactivations, with the memory, handle and COM object figures:
#   tsf_day_harness.exe <windows path of Revaze.ime, beside RevazeTip.dll> <artifacts folder>
add_executable(tsf_day_harness
    ${CMAKE_CURRENT_LIST_DIR}/tsf_day_harness.cpp
    ${CMAKE_CURRENT_LIST_DIR}/harness_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_route.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registration_checks.cpp)
target_include_directories(tsf_day_harness PRIVATE ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/windows ${PROJECT_SOURCE_DIR}/engine)
target_link_libraries(tsf_day_harness PRIVATE ole32 oleaut32 uuid advapi32 user32 gdi32 shell32
    imm32 psapi)
target_link_options(tsf_day_harness PRIVATE -municode)
if(TARGET revaze_tip)
    add_dependencies(tsf_day_harness revaze_tip revaze_ime)
endif()
