# Records HarfBuzz's own hb-shape output for each line of CASES (name, font file and text,
# separated by tabs) into OUTPUT, one line each: the name, a tab, the glyphs as hb-shape
# prints them. Run at build time, so that the suite needs no hb-shape where it runs.
# -DHB_SHAPE=... -DCASES=... -DOUTPUT=... -DPIXELS=...
file(STRINGS ${CASES} cases ENCODING UTF-8)
math(EXPR scale "${PIXELS} * 64")
set(recorded "")
foreach(line IN LISTS cases)
  string(REPLACE "\t" ";" fields "${line}")
  list(GET fields 0 name)
  list(GET fields 1 font)
  list(GET fields 2 text)
  execute_process(
    COMMAND ${HB_SHAPE} --no-glyph-names --font-size=${scale} --font-ppem=${PIXELS} ${font} ${text}
    OUTPUT_VARIABLE glyphs OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "hb-shape cannot shape ${name} with ${font}")
  endif()
  string(APPEND recorded "${name}\t${glyphs}\n")
endforeach()
file(WRITE ${OUTPUT} "${recorded}")
