#include "ase/text_sink.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/files.h"
#include "support/memory_files.h"

namespace zav {
namespace {

TEST(TextSink, RendersLinesAndNumbers) {
  TextSink out;
  out.Line(3).Text("*MESH_VERTEX").Width10(0).Tab().Float(1.0).Tab().Float(-0.5).End();
  out.Line(0).Text("*MESH_FACE").Width10(12345678901LL).Text(" ").Int(-1).Tab().Uint(4294967295u).End();
  out.Literal(1, "*NODE_NAME");
  out.Line(2).Quoted("a \"b\" \\c").End();
  EXPECT_EQ(out.Buffered(),
            "\t\t\t*MESH_VERTEX         0\t1.0000\t-0.5000\r\n"
            "*MESH_FACE12345678901 -1\t4294967295\r\n"
            "\t*NODE_NAME\r\n"
            "\t\t\"a \"b\" \\c\"\r\n");
}

TEST(TextSink, EmptyTextsWithoutData) {
  // A name field past the end of an image is an empty view with no data.
  TextSink empty;
  TextSink out;
  out.Line(0).Text(std::string_view()).Quoted(std::string_view()).End();
  out.Append(empty);
  EXPECT_EQ(out.Buffered(), "\"\"\r\n");
  EXPECT_EQ(empty.Buffered(), "");
}

TEST(TextSink, CountsValuesThatAreNotFinite) {
  TextSink buffer;
  buffer.Line(0).Float(std::numeric_limits<double>::quiet_NaN()).Tab().Float(2.0).End();
  TextSink out;
  out.Line(0).Float(-std::numeric_limits<float>::infinity()).End();
  out.Append(buffer);
  EXPECT_EQ(out.Buffered(), "0.0000\r\n0.0000\t2.0000\r\n");
  EXPECT_EQ(out.nonFiniteCount(), 2u);
}

TEST(TextSink, StreamsLargeTextToTheFileUnchanged) {
  // Well beyond the sink's own buffer, with buffers appended both below and
  // above its size.
  TextSink small;
  small.Literal(1, "*PROP_CASTSHADOW 1");
  TextSink large;
  std::string largeText;
  for (int i = 0; i < 30000; ++i) {
    large.Line(1).Int(i).End();
    largeText += "\t" + std::to_string(i) + "\r\n";
  }
  testing::MemoryFileSystem files;
  auto file = files.Create("out.ase");
  TextSink out(*file);
  std::string expected;
  for (int i = 0; i < 30000; ++i) {
    out.Line(2).Float(i + 0.25).End();
    expected += "\t\t" + std::to_string(i) + ".2500\r\n";
  }
  out.Append(small);
  out.Append(large);
  out.Append(small);
  ASSERT_TRUE(out.Finish());
  EXPECT_EQ(files.Text("out.ase"), expected + "\t*PROP_CASTSHADOW 1\r\n" + largeText + "\t*PROP_CASTSHADOW 1\r\n");
}

TEST(TextSink, ReportsAFileThatCannotHoldTheText) {
  testing::MemoryFileSystem files;
  files.diskSpace = 100;
  auto file = files.Create("out.ase");
  TextSink out(*file);
  for (int i = 0; i < 100; ++i) out.Literal(0, "*PROP_MOTIONBLUR 0");
  EXPECT_FALSE(out.Finish());
}

#ifdef __linux__
// A real device that takes no data: the failure shows at the latest when the
// file is closed.
TEST(TextSink, ReportsAFullDevice) {
  LocalFileSystem files;
  auto file = files.Create("/dev/full");
  ASSERT_TRUE(file);
  TextSink out(*file);
  out.Literal(0, "*3DSMAX_ASCIIEXPORT\t200");
  EXPECT_FALSE(out.Finish());
}
#endif

}  // namespace
}  // namespace zav
