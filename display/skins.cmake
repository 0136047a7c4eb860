# hero_files: INI reader and path resolver. Plain C++ with std::filesystem,
# no Qt, so the catalogue can be read by anything (the fuzz targets included).
add_library(hero_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_resolver.cpp
)
target_include_directories(hero_files PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_files PUBLIC hero_engine)

# hero_display: picture loading, the scene of picture elements, the skin
# catalogue and skin loader, the manual's page loader, the zoom rules. Qt
# Gui, no widgets.
add_library(hero_display STATIC
  ${CMAKE_CURRENT_LIST_DIR}/picture_loader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gfxinit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zoom.cpp
)
target_include_directories(hero_display PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_display PUBLIC hero_files Qt6::Gui PRIVATE PNG::PNG JPEG::JPEG)
