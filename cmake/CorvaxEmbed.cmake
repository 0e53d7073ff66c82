# corvax_embed_file(TARGET NAME FILE FUNCTION)
# Compiles FILE into TARGET and defines `bool corvax::embedded::FUNCTION()`, which registers the
# bytes with the embedded-file table under NAME ("incbin::NAME"). The module calls it first thing
# in its start-up function.
set(CORVAX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(corvax_embed_file target name file function)
  get_filename_component(file ${file} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${function}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DNAME=${name} -DFUNCTION=${function}
            -P ${CORVAX_EMBED_SCRIPT}
    DEPENDS ${file} ${CORVAX_EMBED_SCRIPT}
    COMMENT "Embedding ${name}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
