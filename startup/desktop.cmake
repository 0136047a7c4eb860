# The desktop entry and its icons, in the installation folder's share tree:
# share/applications/hero50.desktop starts the program from its own folder
# (Path=), as the handheld's files expect; the icons are the built-in program
# icon and a large one made from the default skin's handheld picture.
set(hero_share_dir "${HERO_INSTALL_DIR}/share")
configure_file(${CMAKE_CURRENT_LIST_DIR}/hero50.desktop.in
               "${hero_share_dir}/applications/hero50.desktop" @ONLY)

set(hero_icon_64 "${hero_share_dir}/icons/hicolor/64x64/apps/hero50.png")
set(hero_icon_256 "${hero_share_dir}/icons/hicolor/256x256/apps/hero50.png")
set(hero_default_skin_picture "${HERO_INSTALL_DIR}/Graphics/Skin1/background.png")
find_program(HERO_CONVERT NAMES magick convert)

set(hero_icon_commands
  COMMAND ${CMAKE_COMMAND} -E make_directory "${hero_share_dir}/icons/hicolor/64x64/apps"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different "${CMAKE_BINARY_DIR}/assets/builtin_art/icon.png" "${hero_icon_64}")
if(HERO_CONVERT)
  # The skin's key colour (magenta) is the see-through outside of the
  # handheld; it becomes transparent in the icon.
  list(APPEND hero_icon_commands
    COMMAND ${CMAKE_COMMAND} -E make_directory "${hero_share_dir}/icons/hicolor/256x256/apps"
    COMMAND ${HERO_CONVERT} "${hero_default_skin_picture}" -transparent "#ff00ff" -resize 256x256
            -background none -gravity center -extent 256x256 "PNG32:${hero_icon_256}")
else()
  list(APPEND hero_icon_commands
    COMMAND ${CMAKE_COMMAND} -E make_directory "${hero_share_dir}/icons/hicolor/256x256/apps"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${CMAKE_BINARY_DIR}/assets/builtin_art/icon.png" "${hero_icon_256}")
endif()

add_custom_target(hero_desktop_entry ALL ${hero_icon_commands}
  COMMENT "Desktop entry icons in ${hero_share_dir}" VERBATIM)

# The pictures come from assets/ (read later; resolved once all are read).
add_dependencies(hero_desktop_entry hero_builtin_art hero_installation)
