# hero_gamepad: the gamepad's mappings and the pads, over SDL's game
# controller layer.
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET GLOBAL sdl2)
add_library(hero_gamepad STATIC
  ${CMAKE_CURRENT_LIST_DIR}/gamepad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gamepad.h
)
set_target_properties(hero_gamepad PROPERTIES AUTOMOC ON)
target_include_directories(hero_gamepad PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_gamepad PUBLIC hero_engine hero_keys Qt6::Core PRIVATE PkgConfig::SDL2)
