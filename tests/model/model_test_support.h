#pragma once
// Helpers for the model and bone writer tests: images from the fixture
// builder, a console that records its lines, and the text of one object.
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ase/text_sink.h"
#include "fixtures/model_builder.h"
#include "formats/model_file.h"
#include "model/geom_object.h"
#include "model/record_maps.h"
#include "platform/console.h"

namespace zav::testing {

// A console whose lines are kept in a string.
class RecordingConsole {
 public:
  Console& console() { return console_; }
  std::string text() const { return out_.str(); }

 private:
  std::istringstream in_;
  std::ostringstream out_;
  StreamConsole console_{in_, out_};
};

// An object spec with the fields that `set` gives it.
template <typename Set>
fixtures::ObjectSpec Object(Set set) {
  fixtures::ObjectSpec object;
  set(object);
  return object;
}

inline ByteView View(const fixtures::Bytes& bytes) { return ByteView(bytes.data(), bytes.size()); }

// The expected text with every "\n" turned into CR LF.
inline std::string Crlf(std::string_view text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result.push_back('\r');
    result.push_back(c);
  }
  return result;
}

// The records of a model image that lie inside it, in file order (up to the
// first that does not fit).
inline std::vector<ObjectRecord> Records(const fixtures::Bytes& image) {
  const ModelFileView file(View(image));
  std::vector<ObjectRecord> records;
  std::optional<uint64_t> cursor = file.firstRecordOffset();
  for (int32_t i = 0; cursor && i < file.objectCount(); ++i) {
    const std::optional<ObjectRecord> record = file.RecordAt(*cursor);
    if (!record || !record->complete()) break;
    records.push_back(*record);
    cursor = record->nextRecordOffset();
  }
  return records;
}

// The lines of `text` (CR LF removed) that contain `part`.
inline std::vector<std::string> LinesWith(std::string_view text, std::string_view part) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (line.find(part) != std::string_view::npos) lines.emplace_back(line);
    start = end + 2;
  }
  return lines;
}

// Writes every record of a model image as model objects, the way the object
// walk does (names entered before the parent lookup), with `bones` for the
// skinned vertices.
struct WrittenObjects {
  std::string text;
  std::string console;
};

inline WrittenObjects WriteObjects(const fixtures::Bytes& image, const BoneNameMap& bones = {}) {
  RecordingConsole console;
  TextSink out;
  ObjectNameMap objects;
  const GeomObjectOptions options = ModelObjectOptions(objects, bones);
  for (const ObjectRecord& record : Records(image)) {
    InsertFirst(objects, record);
    WriteGeomObject(out, console.console(), record, options);
  }
  return {std::string(out.Buffered()), console.text()};
}

inline WrittenObjects WriteObjects(const std::vector<fixtures::ObjectSpec>& objects, const BoneNameMap& bones = {}) {
  fixtures::ModelSpec spec;
  spec.objects = objects;
  return WriteObjects(fixtures::BuildModel(spec), bones);
}

// A bone map over the records of a bone image (the image must outlive it).
inline BoneNameMap MapOf(const fixtures::Bytes& boneImage) {
  BoneNameMap bones;
  for (const ObjectRecord& record : Records(boneImage)) InsertFirst(bones, record);
  return bones;
}

}  // namespace zav::testing
