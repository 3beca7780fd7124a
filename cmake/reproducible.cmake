# Two builds of one commit give the same bytes wherever they are made: no
# link time stamp in the PE header (whose checksum then stays the same too),
# and neither the source nor the build folder in anything the compiler
# writes (assertion texts, debug information).
add_compile_options(
  "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
  # Given last, so it wins for a build folder inside the sources.
  "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=.>")
add_link_options(-Wl,--no-insert-timestamp)
