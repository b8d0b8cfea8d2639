# Turns a binary file into a C++ source holding its bytes, so pictures and cursors travel inside
# the program the way a form's data does, without adding entries to the resource directory.
# Usage: cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n#include \"resources/EmbeddedData.h\"\n\nnamespace {\nconst unsigned char kBytes[${size}] = {\n    ${bytes}\n};\n}\n\nconst EmbeddedData ${SYMBOL}{kBytes, ${size}};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
