#pragma once

// The suite's directories that the machine configuration knows. Each is a
// Windows path text ending with a backslash. Data, read-only data and QA are
// places in the database file store; the others name the host's disk through
// the drive mapping.
enum class EJ3Dir { Data, DataRO, QA, AppData, Temp, Log, Help };
