// One fuzz iteration over XmlDocument, shared by the fuzzer and the replay test.
#pragma once

#include <cstddef>
#include <cstdint>

/// Loads the input as a file or as text, walks it with the cursor, edits it and checks that what it writes reads back.
void FuzzXmlDocumentOnce(const std::uint8_t* data, std::size_t size);
