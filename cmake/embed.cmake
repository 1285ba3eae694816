# Turns each file of ASSETS into a byte array in OUT, so the pictures and the
# font are part of the program and nothing is read from disk for them.
# Called as: cmake -DOUT=file.cpp -DASSETS="a;b;c" -P embed.cmake
set(body "// Generated at build time from assets/; do not edit.\n#include \"assets/embedded.h\"\n\n")
set(table "")
foreach(path IN LISTS ASSETS)
  get_filename_component(name "${path}" NAME)
  string(MAKE_C_IDENTIFIER "${name}" id)
  file(READ "${path}" hex HEX)
  file(SIZE "${path}" size)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND body "static const unsigned char ${id}[] = {\n${bytes}};\n\n")
  string(APPEND table "    {\"${name}\", ${id}, ${size}},\n")
endforeach()
string(APPEND body "const EmbeddedFile embedded_files[] = {\n${table}};\n")
string(APPEND body "const int embedded_file_count = sizeof(embedded_files) / sizeof(embedded_files[0]);\n")
file(WRITE "${OUT}.tmp" "${body}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
