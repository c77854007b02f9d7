#pragma once
#include <filesystem>
#include <functional>

class CWPFDialog;
class QApplication;
class QDialog;

namespace j3bench {

// The one Qt application of a benchmark program, on the offscreen platform
// unless QT_QPA_PLATFORM names another.
QApplication& Application();

// Runs the dialog modally; once its content is shown and its window is the
// active one (focus moves only there), calls whenShown, which ends it.
void RunWhenShown(CWPFDialog& dialog, const std::function<void(QDialog&)>& whenShown);

// A practice database created as the program's database (dbDatabase) in a
// fresh temporary folder by fill; closed and removed at the end of the run.
class BenchPractice {
public:
    explicit BenchPractice(const std::function<bool()>& fill);
    ~BenchPractice();
    BenchPractice(const BenchPractice&) = delete;
    BenchPractice& operator=(const BenchPractice&) = delete;

private:
    std::filesystem::path m_folder;
};

} // namespace j3bench
