# hero_keys: the seven key bindings and the key settings dialog.
add_library(hero_keys STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/key_bindings.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/key_bindings.h
  ${CMAKE_CURRENT_SOURCE_DIR}/keys.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/keys.h
  ${CMAKE_SOURCE_DIR}/display/key_codes.cpp
  ${CMAKE_SOURCE_DIR}/display/key_codes.h
)
set_target_properties(hero_keys PROPERTIES AUTOMOC ON)
target_include_directories(hero_keys PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_keys PUBLIC hero_engine Qt6::Widgets)
