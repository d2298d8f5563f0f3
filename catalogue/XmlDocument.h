// An XML document held in memory with a cursor, for the catalogue, the layout
// files and the exchange files. Searches only look forward from the cursor, so
// readers find elements in the order they stand in the file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class XmlDocument {
 public:
  XmlDocument();
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  /// Largest file LoadFile accepts; the system's XML files are a few hundred kilobytes at most.
  static constexpr std::size_t kMaxFileBytes = 64u << 20;

  /// Reads, decodes and parses a file and resets the cursor; true when it holds exactly one well-formed root element.
  bool LoadFile(const std::string& path);
  /// Decodes and parses file contents as LoadFile does.
  bool LoadBytes(std::string_view bytes);
  /// Writes the document as UTF-8 without byte-order mark; true when the file was written.
  bool SaveFile(const std::string& path) const;
  /// Replaces the document by the text, parses it and resets the cursor; true when it parsed.
  bool SetText(std::u16string_view text);
  /// The document as it would be saved, in UTF-8.
  std::string Serialize() const;

  /// Moves to the first element with this exact name after the current one in the scope; the cursor stays on failure.
  bool FindSibling(std::u16string_view name);
  /// Makes the current element the scope; false when there is none.
  bool Enter();
  /// Makes the scope's element current again; false at the top level.
  bool Leave();
  /// The attribute's value with entity and character references decoded; empty when missing.
  std::u16string Attribute(std::u16string_view name) const;

  /// Inserts an empty element after the current one (after the scope's last when none) and makes it current.
  bool AppendSibling(std::u16string_view name);
  /// Sets or replaces an attribute of the current element; false when there is none.
  bool SetAttribute(std::u16string_view name, std::u16string_view value);

 private:
  struct Impl;
  bool Parse(std::string utf8);
  std::unique_ptr<Impl> impl_;
};
