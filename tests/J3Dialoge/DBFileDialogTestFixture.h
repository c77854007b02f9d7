#pragma once
#include <functional>
#include <string>
#include <vector>

#include "FileStoreFixture.h"
#include "ShownTexts.h"
#include "J3Dialoge/DBFileDialog.h"
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "support/TempDir.h"

class QDialog;

// A practice store with the roots "data" (C:\P\Data) and "qa" (C:\P\QA) as
// the machine configuration gives them, a Qt application, and an answerer
// that records every box.
class DBFileDialogTestFixture : public FileStoreFixture, protected ShownTexts {
protected:
    using Strings = std::vector<std::string>;

    // The dialog's elements and the filter most tests use.
    static constexpr const char* kList = "VKLLISTVIEW_FILELIST";
    static constexpr const char* kDirBox = "VKLTEXTBOX_CURRENTDIR";
    static constexpr const char* kFileBox = "VKLTEXTBOX_CURRENTFILE";
    static constexpr const char* kTexts = "Texte|*.txt||";

    void SetUp() override;
    void TearDown() override;

    // The parameters of the plain entry point with the common defaults.
    static SDBFileDialogParams Params(int open, const char* initialDir, const char* filter, bool up, bool down,
                                      unsigned int flags = 0);
    // Calls J3GetPathNameFromDBFileDialog; once the dialog shows, the steps
    // play on its window (they must end the dialog).
    static CString RunPlain(const SDBFileDialogParams& params, j3test::DialogDriver steps);
    // Calls run, which shows a modal dialog; script plays on its window.
    static void PlayWhenModal(const std::function<void()>& run, const std::function<void(QDialog&)>& script);

    // A person's hand on the window: double-click a row of the file list;
    // type over the text of a box (ASCII) and press Return.
    static void DoubleClickRow(QDialog& window, int row);
    static void TypeAndReturn(QDialog& window, const std::string& box, const std::string& text);

    // What the window shows: a column of the file list; the state of an element.
    static std::vector<std::string> ListColumn(QDialog& window, int column) { return Column(window, kList, column); }
    static bool IsEnabled(QDialog& window, const std::string& name);
    static bool IsShown(QDialog& window, const std::string& name);
    static bool IsReadOnly(QDialog& window, const std::string& name);

    // The boxes shown so far as "caption|text", and only those of one kind.
    std::vector<std::string> Boxes() const { return BoxLines(m_boxes.Records()); }
    std::vector<std::string> Boxes(EBoxKind kind) const { return BoxLines(m_boxes.RecordsOf(kind)); }

    CBoxAnswerer m_boxes;

private:
    j3test::TempDir m_configFolder;
};
