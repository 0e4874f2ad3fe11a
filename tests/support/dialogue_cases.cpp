#include "support/dialogue_cases.h"

#include "fixtures/model_builder.h"
#include "fixtures/stage_builder.h"
#include "support/dialogue.h"

namespace zav::testing {

namespace {

fixtures::Bytes TextBytes(std::string_view text) { return fixtures::Bytes(text.begin(), text.end()); }

const char kNotThere[] = "File does not exist or could not be opened for reading\n\n";


std::string ModelDone(const std::string& output) {
  return "MODEL recognized, export starting in 1 second...\n"
         "Materials: 0\nMaterials done!\nObjects: 0\nObjects done!\n"
         "MODEL export finished successfully, file: " + output + "\n";
}

}  // namespace

std::string EmptyModelText(const std::string& sceneName) {
  return "*3DSMAX_ASCIIEXPORT\t200\r\n"
         "*COMMENT \"AsciiExport Version  2.00 - Mon Jan 01 00:00:00 2000\"\r\n"
         "*SCENE {\r\n"
         "\t*SCENE_FILENAME \"" + sceneName + ".max\"\r\n"
         "\t*SCENE_FIRSTFRAME 0\r\n"
         "\t*SCENE_LASTFRAME 100\r\n"
         "\t*SCENE_FRAMESPEED 30\r\n"
         "\t*SCENE_TICKSPERFRAME 160\r\n"
         "\t*SCENE_BACKGROUND_STATIC 0.0000\t0.0000\t0.0000\r\n"
         "\t*SCENE_AMBIENT_STATIC 0.0000\t0.0000\t0.0000\r\n"
         "}\r\n"
         "*MATERIAL_LIST {\r\n"
         "\t*MATERIAL_COUNT 0\r\n"
         "}\r\n";
}

std::vector<DialogueCase> DialogueCases() {
  const fixtures::Bytes emptyModel = fixtures::BuildModel({});
  std::vector<DialogueCase> cases;

  cases.push_back({"QuitAtOnce", {}, "q\n", Banner() + Closing(), {}});

  cases.push_back({"EndOfInputAtFilePrompt", {}, "", Banner() + Closing(), {}});

  cases.push_back({"EndOfInputAtTexturePrompt", {}, "a.dat",
                   Banner() + "File to read (/ 'q' = quit): Absolute path to texture dir (/ '-' = C:\\textures\\): \n"
                              "------------------------\n",
                   {}});

  // Only the whole answer q quits: Q and q.dat are file names.
  cases.push_back({"UpperQAndQDotDatAreFileNames", {}, "Q\n-\nq.dat\n-\nq\n",
                   Banner() + Asked("Q", "C:\\textures\\") + kNotThere + Asked("q.dat", "C:\\textures\\") +
                       kNotThere + Closing(),
                   {}});

  // A texture answer starting with a hyphen selects the default directory.
  cases.push_back({"HyphenSelectsDefaultDirectory", {}, "a.dat -x\nq\n",
                   Banner() + Asked("a.dat", "C:\\textures\\") + kNotThere + Closing(), {}});

  // The texture answer q is a path without its final backslash.
  cases.push_back({"TextureAnswerQ", {}, "a.dat\nq\nD:\\tex\\\nq\n",
                   Banner() + "File to read (/ 'q' = quit): Absolute path to texture dir (/ '-' = C:\\textures\\): "
                              "Path must end with \\\n" +
                       Asked("a.dat", "D:\\tex\\").substr(29) + kNotThere + Closing(),
                   {}});

  // One line answers both prompts.
  cases.push_back({"TwoAnswersOnOneLine", {}, "a.dat C:\\tex\\\nq\n",
                   Banner() + Asked("a.dat", "C:\\tex\\") + kNotThere + Closing(), {}});

  const std::string tooLong(256, 'x');
  cases.push_back({"AnswerLongerThan255Characters", {}, tooLong + "\nq\n",
                   Banner() + "File to read (/ 'q' = quit): "
                              "Answer is longer than 255 characters, please enter a shorter one\n" +
                       Closing(),
                   {}});

  cases.push_back({"EmptyFile", {{"empty.dat", {}}}, "empty.dat -\nq\n",
                   Banner() + Asked("empty.dat", "C:\\textures\\") + "File is empty\n" + Closing(), {}});

  cases.push_back({"FirstByteNul", {{"nulbyte.dat", TextBytes(std::string_view("\0ZAV", 4))}}, "nulbyte.dat -\nq\n",
                   Banner() + Asked("nulbyte.dat", "C:\\textures\\") + "Header '' unrecognized\n" + Closing(), {}});

  cases.push_back({"NoNulQuotesTheWholeFile", {{"text.dat", TextBytes("hello world")}}, "text.dat -\nq\n",
                   Banner() + Asked("text.dat", "C:\\textures\\") + "Header 'hello world' unrecognized\n" +
                       Closing(),
                   {}});

  cases.push_back({"StageSignaturePlusOneCharacter",
                   {{"x.stg", TextBytes(std::string_view("ZAV Stage data Ver 0.72X\0rest", 29))}},
                   "x.stg -\nq\n",
                   Banner() + Asked("x.stg", "C:\\textures\\") + "Header 'ZAV Stage data Ver 0.72X' unrecognized\n" +
                       Closing(),
                   {}});

  cases.push_back({"ModelWithoutCompanion", {{"tree.dat", emptyModel}}, "tree.dat C:\\m\\\nq\n",
                   Banner() + Asked("tree.dat", "C:\\m\\") + ModelDone("tree.ase") + Closing(),
                   {{"tree.ase", EmptyModelText("tree")}}});

  // The second model signature: 23 opaque bytes.
  fixtures::ModelSpec alt;
  alt.signature = "\xa5\x82\xac\x58\x15\x98\x29\x8c\x85\x9f\x12\xc8\x84\x1f\x74\x8c\x8f\x42\x8f\xa8\x1b\x84\xaa";
  cases.push_back({"SecondModelSignature", {{"alt.dat", fixtures::BuildModel(alt)}}, "alt.dat -\nq\n",
                   Banner() + Asked("alt.dat", "C:\\textures\\") + ModelDone("alt.ase") + Closing(),
                   {{"alt.ase", EmptyModelText("alt")}}});

  // An output path that names the input fails and leaves the input as it was.
  cases.push_back({"NoDotNamesTheInput", {{"tree", emptyModel}}, "tree -\nq\n",
                   Banner() + Asked("tree", "C:\\textures\\") +
                       "MODEL recognized, export starting in 1 second...\n"
                       "Could not open file tree for writing\n" + Closing(),
                   {{"tree", std::string(emptyModel.begin(), emptyModel.end())}}});
  cases.push_back({"AseExtensionNamesTheInput", {{"tree.ase", emptyModel}}, "tree.ase -\nq\n",
                   Banner() + Asked("tree.ase", "C:\\textures\\") +
                       "MODEL recognized, export starting in 1 second...\n"
                       "Could not open file tree.ase for writing\n" + Closing(),
                   {{"tree.ase", std::string(emptyModel.begin(), emptyModel.end())}}});

  // An old output is replaced.
  cases.push_back({"OldOutputReplaced", {{"tree.dat", emptyModel}, {"tree.ase", TextBytes("old text")}},
                   "tree.dat -\nq\n",
                   Banner() + Asked("tree.dat", "C:\\textures\\") + ModelDone("tree.ase") + Closing(),
                   {{"tree.ase", EmptyModelText("tree")}}});

  return cases;
}

}  // namespace zav::testing
