// zavreader: converts model, bone and stage files of the engine into ASE text.
#include <iostream>

#include "console/run_console.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/pause.h"

int main() {
  zav::StreamConsole console(std::cin, std::cout);
  zav::LocalFileSystem files;
  return zav::RunConsole(console, files, zav::SleepFor);
}
