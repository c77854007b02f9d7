#pragma once
#include "msgbox/BoxAnswerer.h"

#include <string>
#include <vector>

class QDialog;

// What a dialog shows and which boxes came up, in the form the tests compare
// (UTF-8).
class ShownTexts {
protected:
    // The text of a text box; the cells of one column of a list or tree.
    static std::string Text(QDialog& window, const std::string& name);
    static std::vector<std::string> Column(QDialog& window, const std::string& list, int column);
    // Boxes as "caption|text"; progress steps as "open", "at 1/5", "text K1", "close".
    static std::vector<std::string> BoxLines(const std::vector<SBoxRecord>& records);
};
