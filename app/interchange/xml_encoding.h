// Character encodings of XML files: detecting and decoding what LoadFile
// reads, and encoding what SaveFile writes. Text in memory is always UTF-8.
#pragma once

#include <string>
#include <string_view>

// The encoding undeclared 8-bit text falls back to when it is not valid
// UTF-8: GB18030 for a Chinese program language, Windows-1252 otherwise.
std::string LegacyEncodingFor(int language);

// The encoding declared in the first bytes: the `encoding` of an XML
// declaration, else the charset of an HTML meta Content-Type; empty if none.
std::string FindDeclaredEncoding(std::string_view head);

// Decodes a whole file. A byte-order mark wins, then a declared encoding; an
// undeclared file is UTF-8 when it is valid UTF-8, else `legacy_encoding`.
// Invalid sequences become U+FFFD, a sequence cut off at the end is dropped,
// NUL characters are removed. Notes go to `diagnostics`.
std::string DecodeXmlBytes(std::string_view bytes, std::string_view legacy_encoding,
                           std::string& diagnostics);

// Encodes UTF-8 `text` as `encoding` (UTF-8 when empty). Characters the
// encoding cannot hold are written as numeric character references, so
// nothing is lost. False for an encoding the system does not know.
bool EncodeXmlText(std::string_view text, std::string_view encoding, std::string& bytes,
                   std::string& diagnostics);
