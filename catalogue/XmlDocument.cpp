#include "catalogue/XmlDocument.h"

#include <pugixml.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "catalogue/XmlText.h"
#include "zephui/Text.h"

namespace {

// Entities and line ends are kept as written, so the tree holds text in its
// file form: Attribute decodes references (with HTML's names too) and the
// writer copies text out unchanged.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_wconv_attribute | pugi::parse_ws_pcdata |
                                   pugi::parse_declaration | pugi::parse_comments |
                                   pugi::parse_pi | pugi::parse_doctype;

constexpr const char* kLineEnd = "\r\n";

bool HasChildren(pugi::xml_node node) { return static_cast<bool>(node.first_child()); }

// Attribute text is kept escaped, but a value first written in single quotes
// may hold a raw '"', which must not end the double-quoted copy early.
void WriteAttributes(std::string& out, pugi::xml_node node) {
  for (pugi::xml_attribute a : node.attributes()) {
    out.append(" ").append(a.name()).append("=\"");
    for (const char* c = a.value(); *c != '\0'; ++c) {
      if (*c == '"') out += "&quot;";
      else out += *c;
    }
    out += '"';
  }
}

// Names we create must read back as names.
bool IsValidName(std::string_view name) {
  return !name.empty() && name.find_first_of(" \t\r\n<>&\"'=/?!") == std::string_view::npos;
}

void WriteOpening(std::string& out, pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_element:
      out += '<';
      out += node.name();
      WriteAttributes(out, node);
      out += HasChildren(node) ? ">" : "/>";
      break;
    case pugi::node_pcdata: out += node.value(); break;
    case pugi::node_cdata: out.append("<![CDATA[").append(node.value()).append("]]>"); break;
    case pugi::node_comment: out.append("<!--").append(node.value()).append("-->"); break;
    case pugi::node_pi: out.append("<?").append(node.name()).append(" ").append(node.value()).append("?>"); break;
    case pugi::node_doctype: out.append("<!DOCTYPE ").append(node.value()).append(">"); break;
    case pugi::node_declaration:
      out.append("<?").append(node.name());
      WriteAttributes(out, node);
      out += "?>";
      break;
    default: break;
  }
}

// Closes `node` and every ancestor whose last child it was; returns the next node to write, or none.
pugi::xml_node CloseUpward(std::string& out, pugi::xml_node node) {
  while (node && node.type() != pugi::node_document) {
    if (node.type() == pugi::node_element && HasChildren(node)) out.append("</").append(node.name()).append(">");
    if (node.parent().type() == pugi::node_document) out += kLineEnd;
    if (node.next_sibling()) return node.next_sibling();
    node = node.parent();
  }
  return {};
}

// Writes the tree without recursion, so a deeply nested document cannot exhaust the stack.
std::string WriteTree(const pugi::xml_document& doc) {
  std::string out;
  pugi::xml_node node = doc.first_child();
  while (node) {
    if (node.parent().type() == pugi::node_document && node.type() == pugi::node_pcdata) {
      node = node.next_sibling() ? node.next_sibling() : pugi::xml_node();
      continue;  // blanks between top-level nodes are rewritten as line ends
    }
    WriteOpening(out, node);
    node = HasChildren(node) ? node.first_child() : CloseUpward(out, node);
  }
  return out;
}

bool HasOneRootElement(const pugi::xml_document& doc) {
  int roots = 0;
  for (pugi::xml_node child : doc.children()) roots += child.type() == pugi::node_element ? 1 : 0;
  return roots == 1;
}

// The node after which a new sibling goes: past the blank text that follows `node`.
pugi::xml_node PastTrailingBlank(pugi::xml_node node) {
  pugi::xml_node next = node.next_sibling();
  return next && next.type() == pugi::node_pcdata ? next : node;
}

pugi::xml_node LastElement(pugi::xml_node scope) {
  for (pugi::xml_node n = scope.last_child(); n; n = n.previous_sibling()) {
    if (n.type() == pugi::node_element) return n;
  }
  return {};
}

}  // namespace

struct XmlDocument::Impl {
  pugi::xml_document doc;
  pugi::xml_node parent;   // none at the top level
  pugi::xml_node current;  // none before the first search in a scope

  pugi::xml_node Scope() const { return parent ? parent : static_cast<pugi::xml_node>(doc); }
};

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::Parse(std::string utf8) {
  impl_->parent = {};
  impl_->current = {};
  const pugi::xml_parse_result result =
      impl_->doc.load_buffer(utf8.data(), utf8.size(), kParseOptions, pugi::encoding_utf8);
  // A document being built may have no root yet (the exporters start with the declaration alone).
  if (!result && result.status != pugi::status_no_document_element) {
    impl_->doc.reset();
    return false;
  }
  return true;
}

// Only a regular file is read: a folder, a pipe (which would block) or a
// device counts as a file that does not load.
bool XmlDocument::LoadFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  std::string bytes;
  bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) <= kMaxFileBytes;
  if (read) {
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (read && done < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      read = n > 0 || (n < 0 && errno == EINTR);
      done += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
  }
  ::close(fd);
  return read && LoadBytes(bytes);
}

bool XmlDocument::LoadBytes(std::string_view bytes) {
  if (bytes.size() > kMaxFileBytes) return false;
  if (!Parse(DecodeXmlBytes(bytes)) || !HasOneRootElement(impl_->doc)) {
    impl_->doc.reset();
    return false;
  }
  return true;
}

bool XmlDocument::SaveFile(const std::string& path) const {
  const std::string text = Serialize();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return !out.fail();
}

bool XmlDocument::SetText(std::u16string_view text) { return Parse(ZephUI::ToUtf8(text)); }

std::string XmlDocument::Serialize() const { return WriteTree(impl_->doc); }

bool XmlDocument::FindSibling(std::u16string_view name) {
  const std::string wanted = ZephUI::ToUtf8(name);
  pugi::xml_node n = impl_->current ? impl_->current.next_sibling() : impl_->Scope().first_child();
  for (; n; n = n.next_sibling()) {
    if (n.type() == pugi::node_element && wanted == n.name()) {
      impl_->current = n;
      return true;
    }
  }
  return false;
}

bool XmlDocument::Enter() {
  if (!impl_->current) return false;
  impl_->parent = impl_->current;
  impl_->current = {};
  return true;
}

bool XmlDocument::Leave() {
  if (!impl_->parent) return false;
  impl_->current = impl_->parent;
  const pugi::xml_node up = impl_->parent.parent();
  impl_->parent = up.type() == pugi::node_element ? up : pugi::xml_node();
  return true;
}

std::u16string XmlDocument::Attribute(std::u16string_view name) const {
  if (!impl_->current) return {};
  const pugi::xml_attribute a = impl_->current.attribute(ZephUI::ToUtf8(name).c_str());
  return a ? ZephUI::ToUtf16(DecodeXmlReferences(a.value())) : std::u16string();
}

bool XmlDocument::AppendSibling(std::u16string_view name) {
  const std::string tag = ZephUI::ToUtf8(name);
  if (!IsValidName(tag)) return false;
  pugi::xml_node scope = impl_->Scope();
  const pugi::xml_node after = impl_->current ? impl_->current : LastElement(scope);
  pugi::xml_node element;
  if (after) {
    element = scope.insert_child_after(pugi::node_element, PastTrailingBlank(after));
  } else {
    // A first child turns <parent/> into <parent>, child lines, </parent>.
    if (scope.type() == pugi::node_element && !HasChildren(scope)) scope.append_child(pugi::node_pcdata).set_value(kLineEnd);
    element = scope.append_child(pugi::node_element);
  }
  if (!element) return false;
  element.set_name(tag.c_str());
  if (scope.type() == pugi::node_element) scope.insert_child_after(pugi::node_pcdata, element).set_value(kLineEnd);
  impl_->current = element;
  return true;
}

bool XmlDocument::SetAttribute(std::u16string_view name, std::u16string_view value) {
  const std::string key = ZephUI::ToUtf8(name);
  if (!impl_->current || !IsValidName(key)) return false;
  pugi::xml_attribute a = impl_->current.attribute(key.c_str());
  if (!a) a = impl_->current.append_attribute(key.c_str());
  return a && a.set_value(EscapeXmlAttribute(ZephUI::ToUtf8(value)).c_str());
}
