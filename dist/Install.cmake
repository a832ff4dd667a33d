# `cmake --install` (and `make install PREFIX=...`) and the Debian package (`make package`):
# the zorva command and the lesson tool, the program they start, the demo course, the menu entry,
# icons, AppStream metadata, the course file type, manual pages, a README and an example course,
# laid out under PREFIX as a desktop expects them.
include(GNUInstallDirs)

# The demo course, built from its description at build time into build/demo (where `make run`
# starts it and where the launcher finds it in the build tree).
file(GLOB_RECURSE demo_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lessons/demo/*)
set(demo_stamp ${CMAKE_BINARY_DIR}/demo/built.stamp)
# In a sanitizer build the system libraries' own caches are not reported as the builder's leaks.
add_custom_command(OUTPUT ${demo_stamp}
                   COMMAND ${CMAKE_COMMAND} -E env LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp
                           $<TARGET_FILE:zorva-lesson> build ${CMAKE_SOURCE_DIR}/lessons/demo/lesson.toml
                           ${CMAKE_BINARY_DIR}/demo
                   COMMAND ${CMAKE_COMMAND} -E touch ${demo_stamp}
                   DEPENDS zorva-lesson ${demo_sources} VERBATIM)
add_custom_target(zorva_demo_course ALL DEPENDS ${demo_stamp})

include(dist/ExampleCourse.cmake)

# Manual pages (with the release number filled in) and the package's change log, compressed as
# Debian ships them.
find_program(GZIP gzip REQUIRED)
configure_file(dist/zorva.1 ${CMAKE_BINARY_DIR}/dist/zorva.1 @ONLY)
configure_file(dist/zorva-lesson.1 ${CMAKE_BINARY_DIR}/dist/zorva-lesson.1 @ONLY)
configure_file(dist/changelog ${CMAKE_BINARY_DIR}/dist/changelog COPYONLY)
set(compressed)
foreach(source zorva.1 zorva-lesson.1 changelog)
  set(out ${CMAKE_BINARY_DIR}/dist/${source}.gz)
  add_custom_command(OUTPUT ${out}
                     COMMAND sh -c "${GZIP} -9n < '${CMAKE_BINARY_DIR}/dist/${source}' > '${out}'"
                     DEPENDS ${CMAKE_BINARY_DIR}/dist/${source} VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(zorva_dist_files ALL DEPENDS ${compressed})

# What the package ships, and nothing else: `make package` builds this target, not the tests.
add_custom_target(zorva_shipped)
add_dependencies(zorva_shipped zorva zorva-command zorva-lesson zorva_demo_course zorva_example_course
                 zorva_dist_files zorva_icons)

# The learner types `zorva`, the launcher; the program it starts lives out of the PATH.
install(TARGETS zorva-command zorva-lesson RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zorva RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zorva)
install(DIRECTORY ${CMAKE_BINARY_DIR}/demo/ZORVADAT DESTINATION ${CMAKE_INSTALL_DATADIR}/zorva/courses/demo)
install(FILES dist/${ZORVA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/${ZORVA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The course file type (.zorva); the desktop's shared-mime-info trigger picks it up.
install(FILES dist/zorva-course.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${ZORVA_APP_ID}.xml)
install(FILES ${ZORVA_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${ZORVA_ICON_SIZES})
  install(FILES ${ZORVA_ICON_DIR}/${size}x${size}/apps/${ZORVA_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/dist/zorva.1.gz ${CMAKE_BINARY_DIR}/dist/zorva-lesson.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES dist/copyright dist/README ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorva)
install(DIRECTORY ${ZORVA_EXAMPLE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorva/example)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Zorva developers <team@zorva.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "practise a foreign language alongside a printed course book")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorva shows the pages of a course book with the model recording of every
sentence laid over the page: hear a sentence, a whole page, or repeat after
the model and compare your own voice. The zorva-lesson tool builds courses
from a short text description; a demo course is included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zorva.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The voices of spoken items and `espeak-ng --voices`; reading English pages with `propose`;
# `zorva-lesson edit` opens its page with xdg-open (without it, it prints the address).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "espeak-ng, tesseract-ocr-eng, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "tesseract-ocr-all")
set(CPACK_STRIP_FILES ON)
include(CPack)
