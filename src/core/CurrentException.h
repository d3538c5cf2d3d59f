#pragma once

#include <string>

// The message for the user of the exception being handled; call it only
// inside a catch block.  A UserError gives its own text; anything else
// (memory exhausted, a file-system failure, an unforeseen error) gets a
// Japanese sentence that says so, with the library's text where it helps.
std::string MessageOfCurrentException();
