#pragma once
#include <ostream>
#include <string>

// What kind of box a record describes.
enum class EBoxKind {
    Error,          // HaltE
    Notice,         // HaltI
    Plain,          // Halt
    Question,       // SollIch
    VKError,        // VKHaltE
    Input,          // VKParamBox
    ProgressOpen,   // J3OpenProgressBox
    ProgressText,   // J3SetProgressBoxText
    ProgressUpdate, // J3UpdateProgressBox2
    ProgressClose,  // J3CloseProgressBox
};

const char* BoxKindName(EBoxKind kind);
std::ostream& operator<<(std::ostream& out, EBoxKind kind);

// One box as a CBoxAnswerer saw it. Caption and text are UTF-8 as shown to a
// person (numbers resolved through CStringTable, 8-bit texts decoded from
// Windows-1252), so tests compare them with plain German literals.
struct SBoxRecord {
    EBoxKind kind = EBoxKind::Plain;
    std::string caption; // empty for the progress calls; the title of an input box
    std::string text;    // the message; the field description of an input box
    int answer = 0;      // what the call returned
    int position = 0;    // progress calls: position and total as passed
    int total = 0;
};
