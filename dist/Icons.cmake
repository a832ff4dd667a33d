# The icon in every size the desktop asks for, rendered from the one SVG at build time, and the
# window icon's pixels compiled into the SDL backend.
set(ZORVA_APP_ID org.zorva.Zorva)
set(ZORVA_ICON_SVG ${CMAKE_SOURCE_DIR}/dist/${ZORVA_APP_ID}.svg)
set(ZORVA_ICON_SIZES 16 32 48 64 128 256)
set(ZORVA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)

set(ZORVA_ICON_PNGS)
foreach(size ${ZORVA_ICON_SIZES})
  set(png ${ZORVA_ICON_DIR}/${size}x${size}/apps/${ZORVA_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${ZORVA_ICON_DIR}/${size}x${size}/apps
                     COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ZORVA_ICON_SVG}
                     DEPENDS ${ZORVA_ICON_SVG} VERBATIM)
  list(APPEND ZORVA_ICON_PNGS ${png})
endforeach()
add_custom_target(zorva_icons ALL DEPENDS ${ZORVA_ICON_PNGS})

set(window_icon_rgba ${CMAKE_BINARY_DIR}/generated/window-icon.rgba)
set(window_icon_source ${CMAKE_BINARY_DIR}/generated/WindowIconPixels.cpp)
add_custom_command(OUTPUT ${window_icon_source}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
                   COMMAND ${IMAGEMAGICK_CONVERT} ${ZORVA_ICON_DIR}/64x64/apps/${ZORVA_APP_ID}.png -depth 8
                           RGBA:${window_icon_rgba}
                   COMMAND ${CMAKE_COMMAND} -DINPUT=${window_icon_rgba} -DOUTPUT=${window_icon_source}
                           -P ${CMAKE_SOURCE_DIR}/dist/EmbedPixels.cmake
                   DEPENDS ${ZORVA_ICON_DIR}/64x64/apps/${ZORVA_APP_ID}.png ${CMAKE_SOURCE_DIR}/dist/EmbedPixels.cmake
                   VERBATIM)
target_sources(zorva_backend_sdl PRIVATE ${window_icon_source})
add_dependencies(zorva_backend_sdl zorva_icons)  # the PNG it reads is that target's output
