#include "tests/fuzz/XmlDocumentFuzzBody.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "catalogue/XmlDocument.h"
#include "zephui/Text.h"

namespace {

constexpr const char16_t* kNames[] = {u"config", u"device.info", u"keyboard", u"mode", u"software", u"a", u"b", u"key"};

// The first bytes steer the walk; the rest is the document.
void Walk(XmlDocument& xml, std::string_view steps) {
  for (unsigned char step : steps) {
    const char16_t* name = kNames[(step >> 3) % 8];
    switch (step & 7) {
      case 0: xml.FindSibling(name); break;
      case 1: xml.Enter(); break;
      case 2: xml.Leave(); break;
      case 3: (void)ZephUI::ParseHex(xml.Attribute(u"vid")); break;
      case 4: (void)xml.Attribute(name); break;
      case 5: xml.AppendSibling(name); break;
      case 6: xml.SetAttribute(name, u"<&>'\"\u00E9"); break;
      default: (void)xml.Serialize(); break;
    }
  }
}

}  // namespace

void FuzzXmlDocumentOnce(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t stepCount = std::min<std::size_t>(input[0] & 0x3F, size - 1);
  const std::string_view steps = input.substr(1, stepCount);
  const std::string_view body = input.substr(1 + stepCount);
  XmlDocument xml;
  const bool asFile = (input[0] & 0x40) != 0;
  const bool loaded = asFile ? xml.LoadBytes(body) : xml.SetText(ZephUI::ToUtf16(body));
  if (!loaded) return;
  Walk(xml, steps);
  // Whatever the document became, its written form must read back.
  const std::string written = xml.Serialize();
  XmlDocument again;
  if (!again.SetText(ZephUI::ToUtf16(written))) std::abort();
}
