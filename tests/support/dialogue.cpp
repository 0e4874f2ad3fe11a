#include "support/dialogue.h"

#include <sstream>

#include "console/run_console.h"
#include "platform/console.h"

namespace zav::testing {

Transcript RunDialogue(const std::string& input, FileSystem& files) {
  std::istringstream in(input);
  std::ostringstream out;
  StreamConsole console(in, out);
  Transcript transcript;
  transcript.exitStatus =
      RunConsole(console, files, [&](int milliseconds) { transcript.pauses.push_back(milliseconds); });
  transcript.console = out.str();
  return transcript;
}

std::string Banner() {
  return "ZAV Reader Version 0.900\n     zavreader team     \n------------------------\n\n";
}

std::string Asked(const std::string& file, const std::string& textureDirectory) {
  return "File to read (/ 'q' = quit): Absolute path to texture dir (/ '-' = C:\\textures\\): \n"
         "File: " + file + "\nTexture directory: " + textureDirectory + "\n\nOpening " + file +
         " for reading...\n";
}

std::string Closing() { return "File to read (/ 'q' = quit): \n------------------------\n"; }

}  // namespace zav::testing
