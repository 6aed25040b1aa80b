# Bad arguments and unreadable files: a message on stderr and status 2.
set(cases
  "cut"
  "cut;--width;abc;--height;10;--rows;2;--cols;2;--seed;1"
  "cut;--width;100;--height;100;--rows;0;--cols;2;--seed;1"
  "cut;--width;100;--height;100;--rows;2;--cols;2"
  "cut;--bogus"
  "header"
  "header;/nonexistent/file.puz"
  "open;/nonexistent/game.sav;--table;800x600"
  "open;game.sav;--table;800x600;--seed;3"
  "shelf"
  "shelf;/nonexistent/folder"
  "nosuchcommand")
foreach(args IN LISTS cases)
  string(REPLACE ";" " " shown "${args}")
  execute_process(COMMAND ${PUZDUMP} ${args} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 2 OR err STREQUAL "")
    message(FATAL_ERROR "puzdump ${shown}: status ${rc}, stderr '${err}'")
  endif()
endforeach()
