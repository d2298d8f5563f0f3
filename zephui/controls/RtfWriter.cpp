#include "controls/RtfWriter.h"

#include <algorithm>
#include <set>

namespace ZephUI {
namespace {

// The format one unit ends up with once every run covering it is applied.
TextRun FormatAt(const std::vector<TextRun>& runs, int index) {
  TextRun format;
  for (const TextRun& run : runs) {
    if (index < run.from || index >= run.to) continue;
    if (run.colour.Alpha() != 0) format.colour = run.colour;
    if (run.pixelSize > 0) format.pixelSize = run.pixelSize;
    if (run.bold == RunWeight::Bold) format.bold = RunWeight::Bold;
  }
  return format;
}

std::vector<ArgbColor> Colours(const std::vector<TextRun>& runs) {
  std::vector<ArgbColor> colours;
  for (const TextRun& run : runs) {
    const ArgbColor opaque(run.colour.Value() | 0xFF000000u);
    if (run.colour.Alpha() != 0 && std::find(colours.begin(), colours.end(), opaque) == colours.end()) {
      colours.push_back(opaque);
    }
  }
  return colours;
}

void AppendText(std::string& out, std::u16string_view text) {
  for (const char16_t unit : text) {
    if (unit == u'\n') {
      out += "\\par\n";
    } else if (unit == u'\\' || unit == u'{' || unit == u'}') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      out += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + "?";  // signed, as readers expect
    }
  }
}

void AppendFormat(std::string& out, const TextRun& format, const std::vector<ArgbColor>& colours) {
  if (format.bold == RunWeight::Bold) out += "\\b";
  if (format.colour.Alpha() != 0) {
    const ArgbColor opaque(format.colour.Value() | 0xFF000000u);
    const auto at = std::find(colours.begin(), colours.end(), opaque) - colours.begin();
    out += "\\cf" + std::to_string(at + 1);
  }
  if (format.pixelSize > 0) out += "\\fs" + std::to_string(format.pixelSize * 2);
  out += ' ';
}

}  // namespace

std::string RtfWriter::Write(const RichText& rich) {
  const int length = static_cast<int>(rich.text.size());
  const std::vector<ArgbColor> colours = Colours(rich.runs);
  std::string out = "{\\rtf1\\ansi\\uc1{\\colortbl;";
  for (const ArgbColor c : colours) {
    out += "\\red" + std::to_string(c.Red()) + "\\green" + std::to_string(c.Green()) + "\\blue" +
           std::to_string(c.Blue()) + ";";
  }
  out += "}\n";
  std::set<int> cuts{0, length};
  for (const TextRun& run : rich.runs) {
    cuts.insert(std::clamp(run.from, 0, length));
    cuts.insert(std::clamp(run.to, 0, length));
  }
  for (auto it = cuts.begin(); std::next(it) != cuts.end(); ++it) {
    const int from = *it;
    const int to = *std::next(it);
    out += "{\\plain";
    AppendFormat(out, FormatAt(rich.runs, from), colours);
    AppendText(out, std::u16string_view(rich.text).substr(static_cast<std::size_t>(from),
                                                          static_cast<std::size_t>(to - from)));
    out += "}";
  }
  return out + "}";
}

}  // namespace ZephUI
