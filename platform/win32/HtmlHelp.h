#pragma once
#include "win32/WinTypes.h"

#include <string>

class QWidget;

// HTML Help on the host. A help file text is "<Windows path>[>window type]".
// The help file is a folder of HTML pages (the unpacked form of a compiled
// help file) or any file: a topic that exists as a page in the folder is
// shown; otherwise the window names the file and the topic. A help file that
// does not exist, or a process without a widget application, shows nothing
// and returns null, as a missing help control does.
constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_SYNC = 0x0009;

// HH_DISPLAY_TOPIC: shows the topic (data: the topic text) in the one help
// window and returns it. HH_SYNC: returns the help window when it shows that
// help file, null otherwise. Other commands do nothing and return null.
HWND HtmlHelpA(HWND caller, LPCSTR helpFile, UINT command, DWORD_PTR data);

class CHtmlHelpWindow {
public:
    // The help window, or null when none is open.
    static QWidget* Window();
    // The help file and topic the window shows ("" when none).
    static std::string ShownFile();
    static std::string ShownTopic();
};
