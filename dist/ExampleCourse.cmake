# The example course shipped in the package's documentation: its description, the page picture
# rendered from our drawing and the sentences recorded by espeak-ng, gathered in build/example.
# It is built once here too, so an example that no longer builds stops the build.
find_program(ESPEAK_NG espeak-ng REQUIRED)
set(ZORVA_EXAMPLE_DIR ${CMAKE_BINARY_DIR}/example)
file(MAKE_DIRECTORY ${ZORVA_EXAMPLE_DIR})
set(example_source ${CMAKE_SOURCE_DIR}/lessons/example)
set(example_sentences
    "Excuse me, where is platform two?"
    "It is over there, next to the café."
    "When does the next train leave?")
set(example_files ${ZORVA_EXAMPLE_DIR}/lesson.toml ${ZORVA_EXAMPLE_DIR}/page1.png)
add_custom_command(OUTPUT ${ZORVA_EXAMPLE_DIR}/lesson.toml
                   COMMAND ${CMAKE_COMMAND} -E copy ${example_source}/lesson.toml ${ZORVA_EXAMPLE_DIR}/lesson.toml
                   DEPENDS ${example_source}/lesson.toml VERBATIM)
add_custom_command(OUTPUT ${ZORVA_EXAMPLE_DIR}/page1.png
                   COMMAND ${RSVG_CONVERT} -o ${ZORVA_EXAMPLE_DIR}/page1.png ${example_source}/page1.svg
                   DEPENDS ${example_source}/page1.svg VERBATIM)
set(number 0)
foreach(sentence IN LISTS example_sentences)
  math(EXPR number "${number} + 1")
  set(wav ${ZORVA_EXAMPLE_DIR}/s${number}.wav)
  add_custom_command(OUTPUT ${wav} COMMAND ${ESPEAK_NG} -v en -w ${wav} ${sentence} VERBATIM)
  list(APPEND example_files ${wav})
endforeach()
set(example_stamp ${CMAKE_BINARY_DIR}/example-built/built.stamp)
add_custom_command(OUTPUT ${example_stamp}
                   COMMAND ${CMAKE_COMMAND} -E env LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp
                           $<TARGET_FILE:zorva-lesson> build ${ZORVA_EXAMPLE_DIR}/lesson.toml
                           ${CMAKE_BINARY_DIR}/example-built
                   COMMAND ${CMAKE_COMMAND} -E touch ${example_stamp}
                   DEPENDS zorva-lesson ${example_files} VERBATIM)
add_custom_target(zorva_example_course ALL DEPENDS ${example_stamp})
