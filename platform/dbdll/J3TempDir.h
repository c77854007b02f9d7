#pragma once
#include "vkbasis/CString.h"

// The suite's temporary directory as a Windows path ending with "\" (the
// machine configuration's temp directory).
CString GetJ3TempDir();
