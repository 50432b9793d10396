# Runs the font generator and compares its table with the committed one.
execute_process(COMMAND ${PYTHON} ${SCRIPT} ${GLYPHS} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed (${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED}
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "src/channels/DisplayFont.inc differs from what the generator makes now; run "
                      "tools/displayfont/generate_display_font.py tools/displayfont/glyphs.txt "
                      "src/channels/DisplayFont.inc")
endif()
