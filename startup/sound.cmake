# hero_sound: the sound library layer over SDL2_mixer, the recording library
# the tests use, and the beeps' back end (driver choice, samples, release).
add_library(hero_sound STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sdl_sound_library.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recording_sound_library.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_output.cpp
)
target_include_directories(hero_sound PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(hero_sound PUBLIC hero_engine PRIVATE hero_files PkgConfig::SDL2_MIXER)
