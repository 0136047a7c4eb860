# hero_settings: the per-user settings store on disk.
add_library(hero_settings STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/qsettings_store.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/qsettings_store.h
)
target_include_directories(hero_settings PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_settings PUBLIC hero_engine Qt6::Core)
