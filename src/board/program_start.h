#pragma once
// The program's start, shared by the program and its start-up bench, so the
// bench times exactly what a user waits for.
#include <memory>

class Form1;

namespace board {

// With the application made: its identity, the program folder filled from
// the shipped one (an earlier version's files copied in), the board loaded
// and ready to show. nullptr when the board could not load.
std::unique_ptr<Form1> startProgram();

}  // namespace board
