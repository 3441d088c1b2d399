// Test support for the report writer: reading written reports back and checking them as XML.
#pragma once

#include <windows.h>

#include <string>

// The UTF-16 text of a report file after its byte-order mark; sets *pbBom to whether the file
// began with FF FE. Empty when the file cannot be read.
std::wstring ReadReportText(const std::wstring& path, bool* pbBom = nullptr);

// The raw bytes of a file as UTF-16 code units (no BOM handling).
std::wstring ReadUtf16File(const std::wstring& path);

// Checks that a report text is a well-formed XML document of the shape the writer produces:
// the declaration, optional processing instructions, one root element with nested elements
// (at most one attribute each), text with only the five predefined entities, no character
// that XML 1.0 forbids, and only white space after the root. Returns "" when it is, else
// what is wrong and where.
std::string CheckReportXml(const std::wstring& text);

// The bytes of the program's stylesheet resource (type "XSL", id 140) of the running module.
std::string StylesheetResourceBytes();
