#include <cstdlib>
#include <iostream>
#include <new>

#include "cli/cli.h"
#include "cli/reporter.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  // The state lives until the process ends: freeing thousands of listing
  // lines just before exiting would only cost time.
  static tessarin::SharedState* const state = new tessarin::SharedState();
  try {
    return tessarin::RunCli(args, std::cout, std::cerr, std::getenv("SOURCE_DATE_EPOCH"), *state);
  } catch (const std::bad_alloc&) {
    // A listing that outgrows a memory limit ends the run, never in an abort.
    std::cerr << tessarin::kCliProgram << ": out of memory\n";
    return 1;
  }
}
