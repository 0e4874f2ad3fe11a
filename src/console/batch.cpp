#include "console/batch.h"

#include <optional>

#include "ase/export_env.h"
#include "console/run_console.h"

namespace zav {

namespace {

constexpr std::string_view kUsage =
    "usage: zavreader [-t DIR | --textures DIR] [--] FILE...\n"
    "       zavreader -h | --help\n"
    "       zavreader -V | --version\n";

constexpr std::string_view kHelp =
    "Converts model, bone and stage files into ASE text scenes.\n"
    "\n"
    "Without arguments zavreader asks for each file and its texture directory.\n"
    "With FILE arguments it converts each FILE in turn, without questions and\n"
    "without pauses, and writes FILE's .ase beside it (the three characters after\n"
    "the last dot of the path become ase). A model's bone file is found beside it:\n"
    "the model's path with its last character replaced by b.\n"
    "\n"
    "Options:\n"
    "  -t DIR, --textures DIR  directory for the bitmap paths of the materials; it\n"
    "                          must end with a backslash (default C:\\textures\\)\n"
    "  --                      every argument after it is a FILE\n"
    "  -h, --help              print this text\n"
    "  -V, --version           print the version\n"
    "\n"
    "Exit status: 0 every file converted whole; 1 a file could not be converted or\n"
    "was converted only in part (see its console lines); 2 the command line could\n"
    "not be used.\n";

struct Request {
  std::string textureDirectory = std::string(kDefaultTextureDirectory);
  std::vector<std::string> files;
};

int UsageError(std::ostream& errors, const std::string& why) {
  errors << "zavreader: " << why << "\n" << kUsage;
  errors.flush();
  return kExitUsage;
}

}  // namespace

int RunBatch(const std::vector<std::string>& arguments, Console& console, std::ostream& errors,
             FileSystem& files) {
  Request request;
  bool optionsDone = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsDone && argument.size() > 1 && argument[0] == '-') {
      if (argument == "--") {
        optionsDone = true;
      } else if (argument == "-h" || argument == "--help") {
        console.Write(std::string(kUsage) + "\n" + std::string(kHelp));
        return kExitConverted;
      } else if (argument == "-V" || argument == "--version") {
        console.Line("zavreader 0.900");
        return kExitConverted;
      } else if (argument == "-t" || argument == "--textures") {
        if (i + 1 >= arguments.size()) return UsageError(errors, "option " + argument + " needs a directory");
        request.textureDirectory = arguments[++i];
      } else if (argument.rfind("--textures=", 0) == 0) {
        request.textureDirectory = argument.substr(11);
      } else {
        return UsageError(errors, "unknown option " + argument);
      }
      continue;
    }
    request.files.push_back(argument);
  }
  if (request.textureDirectory.empty() || request.textureDirectory.back() != '\\') {
    return UsageError(errors, "the texture directory must end with a backslash: " + request.textureDirectory);
  }
  if (request.textureDirectory.size() > kMaxAnswerLength) {
    return UsageError(errors, "the texture directory is longer than 255 characters");
  }
  if (request.files.empty()) return UsageError(errors, "no file to convert");

  NameCounters counters;  // run on across the files, as in one interactive run
  int status = kExitConverted;
  for (const std::string& file : request.files) {
    if (file.size() > kMaxAnswerLength) {
      console.Fault("Path is longer than 255 characters, not converted: " + file);
      status = kExitIncomplete;
      continue;
    }
    ExportEnv env{console, files, NoPause, counters, file, request.textureDirectory};
    if (ConvertFile(env, ConvertMode::Batch) != ConvertOutcome::Converted) status = kExitIncomplete;
  }
  return status;
}

}  // namespace zav
