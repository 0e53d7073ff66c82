// The test programs' main in a web page. A program that waited (through Asyncify) returns
// from main after the page has moved on, and Emscripten then loses main's status: the status
// goes out through exit instead.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::exit(RUN_ALL_TESTS());
}
