# hero_lcd: the LCD's element ids and segment tables, Qt-free; compiled once
# and linked by the engine, the skin loader and the asset generator.
add_library(hero_lcd STATIC
  ${CMAKE_CURRENT_LIST_DIR}/element_ids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/element_ids.h
  ${CMAKE_CURRENT_LIST_DIR}/segment_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/segment_display.h
)
target_include_directories(hero_lcd PUBLIC ${CMAKE_SOURCE_DIR})
