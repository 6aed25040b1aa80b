#pragma once
namespace qv {

class App;

// Input for tests that run the whole program, whose offscreen windows no
// outside program can reach: the environment variable QV_TEST_INPUT lists
// steps, separated by ";", that go through the play window's own input
// path once the loop runs, one every 50 ms:
//   "turn"            Ctrl and a right click on the middle of the first
//                     piece on the table (a quarter turn, with its sound)
//   a key sequence    pressed and released on the play window ("Ctrl+R")
// When the steps were delivered and their sounds played, the line
// "qvrk32: input played" is written on standard output, followed by
// " over a modal window" when one is open then. Without the variable
// nothing happens.
void PlayTestInput(App& app);

}  // namespace qv
