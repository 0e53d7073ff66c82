# Script mode: writes OUTPUT, a C++ source holding the bytes of INPUT and the registration
# function FUNCTION that adds them to the embedded-file table under NAME.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0")
endif()
file(WRITE ${OUTPUT}.tmp "// Generated from ${INPUT}; do not edit.
#include <corvax/stream/embedded_files.h>

namespace {
alignas(16) const unsigned char kBytes[] = {
    ${bytes}
};
}  // namespace

namespace corvax::embedded {
bool ${FUNCTION}() { return RegisterEmbeddedFile(u\"${NAME}\", kBytes, ${size}) != 0; }
}  // namespace corvax::embedded
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
