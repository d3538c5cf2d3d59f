#pragma once

#include <string>

// What a failed system call's errno means for the user, as one Japanese
// sentence ("ディスクがいっぱいです。", "名前が長すぎます。", …).  Causes
// without a sentence of their own name their error number, never a text in
// another language.
std::string DescribeSystemError(int error);
