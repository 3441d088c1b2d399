// Test support for the report writer: checking written reports as XML.
#pragma once

#include <windows.h>

#include <string>

#include "support/GroupReport.h"  // ReadReportText

// Checks that a report text is a well-formed XML document of the shape the writer produces:
// the declaration, optional processing instructions, one root element with nested elements
// (at most one attribute each), text with only the five predefined entities, no character
// that XML 1.0 forbids, and only white space after the root. Returns "" when it is, else
// what is wrong and where.
std::string CheckReportXml(const std::wstring& text);

// The bytes of the program's stylesheet resource (type "XSL", id 140) of the running module.
std::string StylesheetResourceBytes();
