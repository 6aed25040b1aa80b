# Wrong arguments: a message on stderr and status 2. A right call prints a
# JSON array of boards with the fields the manual page names.
set(cases
  ""
  "--level;expert"
  "--shape;octagon;--level;expert"
  "--shape;square;--level;master"
  "--shape;square"
  "--shape;square;--level;4;--width;10;--height;10;--mines;5"
  "--shape;square;--width;10;--height;10"
  "--shape;square;--width;33;--height;10;--mines;5"
  "--shape;square;--width;4;--height;4;--mines;16"
  "--shape;square;--level;0;--count;0"
  "--shape;square;--level;0;--seed;-1"
  "--shape;square;--level;0;--seed;12x"
  "--shape;square;--level;0;--first;12"
  "--shape;square;--level;0;--first;12,8"
  "--shape;square;--level;0;--count"
  "--shape;square;--level;0;--bogus;1")
foreach(args IN LISTS cases)
  string(REPLACE ";" " " shown "${args}")
  execute_process(COMMAND ${MVRO_BOARD} ${args} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 2 OR err STREQUAL "" OR NOT out STREQUAL "")
    message(FATAL_ERROR "mvro-board ${shown}: status ${rc}, stderr '${err}', stdout '${out}'")
  endif()
endforeach()

execute_process(COMMAND ${MVRO_BOARD} --help RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "--noguess")
  message(FATAL_ERROR "mvro-board --help: status ${rc}, '${out}'")
endif()

execute_process(COMMAND ${MVRO_BOARD} --shape Hexagon --level 1 --noguess --seed 9 --count 2 --first 3,4
                RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "mvro-board failed with ${rc}")
endif()
string(JSON n ERROR_VARIABLE err LENGTH "${out}")
if(err OR NOT n EQUAL 2)
  message(FATAL_ERROR "not an array of two boards: ${err}")
endif()
foreach(i 0 1)
  math(EXPR seed "9 + ${i}")
  foreach(field seed shape width height mineCount mode opening solved)
    string(JSON ${field} GET "${out}" ${i} ${field})
  endforeach()
  string(JSON firstCell GET "${out}" ${i} first cell)
  string(JSON cells LENGTH "${out}" ${i} cells)
  string(JSON mines LENGTH "${out}" ${i} mines)
  string(JSON neighbours LENGTH "${out}" ${i} cells 0 neighbours)
  if(NOT seed EQUAL ${seed} OR NOT shape STREQUAL "HEXAGON" OR NOT width EQUAL 16 OR NOT height EQUAL 10
     OR NOT mineCount EQUAL 35 OR NOT mode STREQUAL "noguess" OR NOT opening OR NOT solved
     OR NOT firstCell EQUAL 67 OR NOT cells EQUAL 160 OR NOT mines EQUAL 35 OR NOT neighbours EQUAL 2)
    message(FATAL_ERROR "board ${i}: ${seed} ${shape} ${width}x${height} ${mineCount} ${mode} "
                        "opening ${opening} solved ${solved} first ${firstCell} cells ${cells} "
                        "mines ${mines} corner neighbours ${neighbours}")
  endif()
endforeach()
