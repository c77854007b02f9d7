#pragma once
#include "vkbasis/CString.h"

#include <QString>

class QWidget;

// Loads the markup stored under a key in a resource assembly: the Qt
// Designer file ":/<assembly>/<key>.ui".
class CWPFMarkup {
public:
    static QString ResourcePath(const CString& markupKey, const CString& resourceAssembly);
    // The loaded element tree as a child of parent, or null with error
    // filled when the markup is missing or cannot be read.
    static QWidget* Load(const CString& markupKey, const CString& resourceAssembly, QWidget* parent, QString& error);
};
