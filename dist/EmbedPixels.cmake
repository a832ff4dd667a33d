# cmake -DINPUT=raw.rgba -DOUTPUT=file.cpp -P EmbedPixels.cmake: the window icon's bytes as C++.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
if(NOT digits EQUAL 32768)
  message(FATAL_ERROR "${INPUT}: expected 64x64 RGBA pixels (16384 bytes), found ${digits} hex digits")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
  "// Made at build time from the icon's SVG; not kept in the repository.\n"
  "#include \"platform/backend/sdl/SdlWindowIcon.h\"\n\n"
  "namespace zorva::platform {\n\n"
  "const unsigned char kWindowIconRgba[kWindowIconPx * kWindowIconPx * 4] = {\n${bytes}};\n\n"
  "}  // namespace zorva::platform\n")
