# hero_dialogs: the context menu and in-game menu, the manual viewer, the
# about box, the preferences, and the shell's "open" they share with the
# handheld's own document window.
set(CMAKE_AUTOMOC ON)
add_library(hero_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about.h
  ${CMAKE_CURRENT_LIST_DIR}/art.cpp
  ${CMAKE_CURRENT_LIST_DIR}/click_label.h
  ${CMAKE_CURRENT_LIST_DIR}/document_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document_window.h
  ${CMAKE_CURRENT_LIST_DIR}/files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/manual.cpp
  ${CMAKE_CURRENT_LIST_DIR}/manual.h
  ${CMAKE_CURRENT_LIST_DIR}/menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu.h
  ${CMAKE_CURRENT_LIST_DIR}/preferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences.h
  ${CMAKE_CURRENT_LIST_DIR}/shell.cpp
)
target_include_directories(hero_dialogs PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_dialogs PUBLIC Qt6::Widgets hero_display hero_files hero_keys hero_gamepad hero_sound hero_engine
                                          hero_builtin_art)
