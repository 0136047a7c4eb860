# Writes the AppStream metainfo from its template once the screenshot exists,
# with the screenshot's own size:
#   cmake -DTEMPLATE=... -DSCREENSHOT=... -DOUTPUT=... -DHERO_...=... -P metainfo.cmake
cmake_minimum_required(VERSION 3.25)
foreach(variable TEMPLATE SCREENSHOT OUTPUT HERO_APPSTREAM_ID HERO_HOMEPAGE HERO_SCREENSHOT_URL
                 PROJECT_VERSION HERO_RELEASE_DATE)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "metainfo.cmake: ${variable} is not set")
  endif()
endforeach()

# A PNG file starts with its 8-byte signature and the IHDR chunk, whose data
# begin with the width and height as 32-bit big-endian numbers.
file(READ "${SCREENSHOT}" header LIMIT 24 HEX)
string(LENGTH "${header}" header_length)
if(header_length LESS 48 OR NOT header MATCHES "^89504e470d0a1a0a........49484452")
  message(FATAL_ERROR "metainfo.cmake: ${SCREENSHOT} is not a PNG picture")
endif()
string(SUBSTRING "${header}" 32 8 width_hex)
string(SUBSTRING "${header}" 40 8 height_hex)
math(EXPR HERO_SCREENSHOT_WIDTH "0x${width_hex}")
math(EXPR HERO_SCREENSHOT_HEIGHT "0x${height_hex}")
if(HERO_SCREENSHOT_WIDTH LESS 1 OR HERO_SCREENSHOT_HEIGHT LESS 1)
  message(FATAL_ERROR "metainfo.cmake: ${SCREENSHOT} has no picture in it")
endif()
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
