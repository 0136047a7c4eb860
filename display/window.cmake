# hero_window: the main window TForm1 and the timers it gives the engine.
add_library(hero_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/unit1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit1.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_timer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_timer.h
)
set_target_properties(hero_window PROPERTIES AUTOMOC ON)
target_include_directories(hero_window PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_window PUBLIC hero_engine hero_keys hero_display Qt6::Widgets)
