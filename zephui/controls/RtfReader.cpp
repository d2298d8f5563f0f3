#include "controls/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ZephUI {
namespace {

constexpr int kMaxDepth = 256;     // deeper groups are read flat: no state is pushed for them
constexpr int kMaxPixelSize = 512;  // a huge \fs must not ask Pango for a font it cannot make
constexpr std::size_t kMaxColours = 4096;

enum class Destination { Text, ColourTable, Skip };

struct GroupState {
  Destination destination = Destination::Text;
  bool bold = false;
  int colour = 0;  // index into the colour table; 0 is the default colour
  int halfPoints = 0;
  int fallback = 1;  // \ucN: characters that follow each \u
};

struct Word {
  std::string_view name;  // empty for a control symbol
  char symbol = 0;
  bool hasParam = false;
  long param = 0;
};

class Parser {
 public:
  Parser(std::string_view input, RichText& rich) : in_(input), rich_(rich) {}
  bool Run();

 private:
  void OpenGroup();
  void CloseGroup();
  bool ReadWord(Word& word);
  /// Marks the document malformed; false, so a caller can return it.
  bool Fail() {
    malformed_ = true;
    return false;
  }
  void Apply(const Word& word);
  void ApplyDestination(std::string_view name);
  void ApplyColourPart(const Word& word);
  void Emit(char16_t unit);
  void SkipFallback();
  TextRun Format() const;

  std::string_view in_;
  std::size_t pos_ = 0;
  RichText& rich_;
  std::vector<GroupState> stack_;
  GroupState state_;
  int flatDepth_ = 0;  // groups opened past kMaxDepth
  bool malformed_ = false;
  bool starred_ = false;  // \* seen: the next word names an optional destination
  std::vector<ArgbColor> colours_{ArgbColor()};
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colourSet_ = false;
};

bool Parser::Run() {
  if (in_.substr(0, 5) != "{\\rtf") malformed_ = true;
  while (pos_ < in_.size()) {
    const char c = in_[pos_];
    if (c == '{') {
      ++pos_;
      OpenGroup();
    } else if (c == '}') {
      ++pos_;
      CloseGroup();
    } else if (c == '\\') {
      Word word;
      if (ReadWord(word)) Apply(word);
    } else {
      ++pos_;
      if (c == '\r' || c == '\n') continue;
      if (c == ';' && state_.destination == Destination::ColourTable) {
        ApplyColourPart(Word{"", ';'});
      } else {
        Emit(static_cast<unsigned char>(c));  // bytes outside \u are Latin-1
      }
    }
  }
  return !malformed_ && stack_.empty() && flatDepth_ == 0 && pos_ > 0;
}

void Parser::OpenGroup() {
  if (stack_.size() >= kMaxDepth) {
    ++flatDepth_;
    return;
  }
  stack_.push_back(state_);
}

void Parser::CloseGroup() {
  starred_ = false;
  if (flatDepth_ > 0) {
    --flatDepth_;
    return;
  }
  if (stack_.empty()) {
    malformed_ = true;  // a closing brace too many
    return;
  }
  state_ = stack_.back();
  stack_.pop_back();
}

bool Parser::ReadWord(Word& word) {
  ++pos_;  // the backslash
  if (pos_ >= in_.size()) return Fail();
  if (!std::isalpha(static_cast<unsigned char>(in_[pos_]))) {
    word.symbol = in_[pos_++];
    if (word.symbol == '\'') {  // \'hh: one byte in hex
      const std::string_view hex = in_.substr(pos_, 2);
      pos_ += hex.size();
      if (hex.size() < 2 || !std::isxdigit(static_cast<unsigned char>(hex[0])) ||
          !std::isxdigit(static_cast<unsigned char>(hex[1]))) {
        return Fail();
      }
      word.param = std::stol(std::string(hex), nullptr, 16);
    }
    return true;
  }
  const std::size_t start = pos_;
  while (pos_ < in_.size() && pos_ - start < 32 && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
  word.name = in_.substr(start, pos_ - start);
  const bool negative = pos_ < in_.size() && in_[pos_] == '-';
  if (negative) ++pos_;
  for (int digits = 0; pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_])); ++pos_) {
    if (++digits <= 9) word.param = word.param * 10 + (in_[pos_] - '0');  // longer numbers saturate
    word.hasParam = true;
  }
  if (negative) word.param = -word.param;
  if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
  return true;
}

void Parser::Apply(const Word& word) {
  if (word.name.empty()) {
    if (word.symbol == '*') {
      starred_ = true;
    } else if (word.symbol == '\\' || word.symbol == '{' || word.symbol == '}') {
      Emit(static_cast<char16_t>(word.symbol));
    } else if (word.symbol == '\'') {
      Emit(static_cast<char16_t>(word.param));
    } else if (word.symbol == '~') {
      Emit(u'\u00A0');
    }
    return;
  }
  const std::string_view n = word.name;
  if (std::exchange(starred_, false) && state_.destination == Destination::Text && n != "u") {
    state_.destination = Destination::Skip;  // an optional destination we do not know
    return;
  }
  if (state_.destination == Destination::ColourTable) return ApplyColourPart(word);
  if (n == "par" || n == "line") return Emit(u'\n');
  if (n == "tab") return Emit(u'\t');
  if (n == "b") return void(state_.bold = !word.hasParam || word.param != 0);
  if (n == "cf") return void(state_.colour = static_cast<int>(std::clamp(word.param, 0L, 1L << 20)));
  if (n == "fs") return void(state_.halfPoints = static_cast<int>(std::clamp(word.param, 0L, 2L * kMaxPixelSize)));
  if (n == "uc") return void(state_.fallback = static_cast<int>(std::clamp(word.param, 0L, 8L)));
  if (n == "plain") {
    state_.bold = false;
    state_.colour = state_.halfPoints = 0;
    return;
  }
  if (n == "u" && word.hasParam) {
    Emit(static_cast<char16_t>(static_cast<std::uint16_t>(word.param & 0xFFFF)));
    return SkipFallback();
  }
  ApplyDestination(n);
}

void Parser::ApplyDestination(std::string_view name) {
  static constexpr std::string_view kSkipped[] = {"fonttbl", "stylesheet", "info",   "pict",    "header",
                                                  "footer",  "object",     "themedata", "listtable", "xmlnstbl"};
  if (name == "colortbl") {
    state_.destination = Destination::ColourTable;
    red_ = green_ = blue_ = 0;
    colourSet_ = false;
    colours_.clear();
  } else if (std::find(std::begin(kSkipped), std::end(kSkipped), name) != std::end(kSkipped)) {
    state_.destination = Destination::Skip;
  }
}

void Parser::ApplyColourPart(const Word& word) {
  const int value = static_cast<int>(std::clamp(word.param, 0L, 255L));
  int* channel = word.name == "red" ? &red_ : word.name == "green" ? &green_ : word.name == "blue" ? &blue_ : nullptr;
  if (channel != nullptr) {
    *channel = value;
    colourSet_ = true;
  }
  if (word.symbol != ';' || colours_.size() >= kMaxColours) return;
  // An entry without values stands for the default colour (the table's usual first entry).
  colours_.push_back(colourSet_ ? ArgbColor::FromArgb(0xFF, static_cast<std::uint8_t>(red_),
                                                      static_cast<std::uint8_t>(green_),
                                                      static_cast<std::uint8_t>(blue_))
                                : ArgbColor());
  red_ = green_ = blue_ = 0;
  colourSet_ = false;
}

void Parser::SkipFallback() {
  for (int left = state_.fallback; left > 0 && pos_ < in_.size(); --left) {
    const char c = in_[pos_];
    if (c == '{' || c == '}') return;
    if (c == '\\') {
      Word ignored;
      ReadWord(ignored);
    } else {
      ++pos_;
    }
  }
}

TextRun Parser::Format() const {
  TextRun format;
  if (state_.bold) format.bold = RunWeight::Bold;
  if (static_cast<std::size_t>(state_.colour) < colours_.size()) {
    format.colour = colours_[static_cast<std::size_t>(state_.colour)];
  }
  format.pixelSize = state_.halfPoints / 2;
  return format;
}

void Parser::Emit(char16_t unit) {
  if (state_.destination != Destination::Text) return;
  const int at = static_cast<int>(rich_.text.size());
  rich_.text.push_back(unit);
  const TextRun format = Format();
  if (format.bold == RunWeight::Inherit && format.colour.Alpha() == 0 && format.pixelSize == 0) return;
  if (!rich_.runs.empty()) {
    TextRun& last = rich_.runs.back();
    if (last.to == at && last.bold == format.bold && last.colour == format.colour &&
        last.pixelSize == format.pixelSize) {
      last.to = at + 1;
      return;
    }
  }
  rich_.runs.push_back(TextRun{at, at + 1, format.colour, format.pixelSize, format.bold});
}

// A surrogate half without its partner would reach Pango as invalid text.
void RepairSurrogates(std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool high = c >= 0xD800 && c < 0xDC00;
    const bool low = c >= 0xDC00 && c < 0xE000;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      ++i;
    } else if (high || low) {
      text[i] = u'\uFFFD';
    }
  }
}

}  // namespace

bool RtfReader::Read(std::string_view rtf, RichText& rich) {
  rich = RichText{};
  Parser parser(rtf, rich);
  const bool complete = parser.Run();
  RepairSurrogates(rich.text);
  return complete;
}

}  // namespace ZephUI
