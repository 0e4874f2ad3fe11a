// zavreader: converts model, bone and stage files of the engine into ASE text.
// Without arguments it runs the interactive dialogue; with arguments it
// converts the files named on the command line.
#include <iostream>
#include <string>
#include <vector>

#include "console/batch.h"
#include "console/run_console.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/pause.h"

int main(int argc, char** argv) {
  zav::PrepareConsole();
  zav::StreamConsole console(std::cin, std::cout);
  zav::LocalFileSystem files;
  if (argc <= 1) return zav::RunConsole(console, files, zav::SleepFor);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return zav::RunBatch(arguments, console, std::cerr, files);
}
