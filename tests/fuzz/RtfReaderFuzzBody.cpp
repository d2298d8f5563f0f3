#include "tests/fuzz/RtfReaderFuzzBody.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "controls/RtfReader.h"
#include "controls/RtfWriter.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "RTF reader invariant broken: %s\n", what);
  std::abort();
}

bool SameRun(const ZephUI::TextRun& a, const ZephUI::TextRun& b) {
  return a.from == b.from && a.to == b.to && a.colour == b.colour && a.pixelSize == b.pixelSize && a.bold == b.bold;
}

void RequireShape(const ZephUI::RichText& rich, std::size_t inputSize) {
  Require(rich.text.size() <= inputSize, "more text than input");
  int previousEnd = 0;
  for (const ZephUI::TextRun& run : rich.runs) {
    Require(run.from >= previousEnd && run.from < run.to, "runs out of order or empty");
    Require(run.to <= static_cast<int>(rich.text.size()), "run past the text");
    Require(run.pixelSize >= 0 && run.pixelSize <= 512, "font size out of range");
    previousEnd = run.to;
  }
  for (std::size_t i = 0; i < rich.text.size(); ++i) {
    const char16_t c = rich.text[i];
    if (c >= 0xD800 && c < 0xDC00) {
      Require(i + 1 < rich.text.size() && rich.text[i + 1] >= 0xDC00 && rich.text[i + 1] < 0xE000, "lone high half");
      ++i;
    } else {
      Require(c < 0xDC00 || c >= 0xE000, "lone low half");
    }
  }
}

}  // namespace

void FuzzRtfReaderOnce(const std::uint8_t* data, std::size_t size) {
  ZephUI::RichText rich;
  ZephUI::RtfReader::Read(std::string_view(reinterpret_cast<const char*>(data), size), rich);
  RequireShape(rich, size);
  const std::string written = ZephUI::RtfWriter::Write(rich);
  ZephUI::RichText again;
  Require(ZephUI::RtfReader::Read(written, again), "our own output is malformed");
  Require(again.text == rich.text, "text changed on the way through");
  Require(again.runs.size() == rich.runs.size(), "run count changed on the way through");
  for (std::size_t i = 0; i < rich.runs.size(); ++i) Require(SameRun(again.runs[i], rich.runs[i]), "run changed");
}
