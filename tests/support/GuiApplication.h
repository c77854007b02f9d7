#pragma once

class QApplication;

namespace j3test {

// The one QApplication of a test program, created on first use. Tests run on
// Qt's offscreen platform unless QT_QPA_PLATFORM names another.
class GuiApplication {
public:
    static QApplication& Instance();
};

} // namespace j3test
