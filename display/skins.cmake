# hero_files: INI reader and path resolver. Plain C++ with std::filesystem,
# no Qt, so the catalogue can be read by anything (the fuzz targets included).
add_library(hero_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_resolver.cpp
)
target_include_directories(hero_files PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_files PUBLIC hero_engine)
