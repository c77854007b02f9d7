#pragma once
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "support/GuiApplication.h"
#include "vkwpfcpp/WPFDialog.h"
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFMenuItem.h"
#include "vkwpfcpp/WPFVKButton.h"
#include "vkwpfcpp/WPFVKLListView.h"
#include "vkwpfcpp/WPFVKLTextBox.h"
#include "vkwpfcpp/WPFVKTextBlock.h"
#include "vkwpfcpp/WPFVKXButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A small dialog of the toolkit for the tests: a name box, a filter box, a
// list of five files in three columns, two buttons, a status text and a menu item. Every
// overridable call and every event is written to the log; hooks let a test
// change what the dialog does at each stage.
class CTestDialog : public CWPFDialog {
public:
    explicit CTestDialog(const CString& markupKey = "test/WPFTestDialog");

    CWPFWndBase* OnInitDialog() override;
    void AfterInitDialog() override { Stage("AfterInitDialog", m_afterInit); }
    void OnContentRendered() override { Stage("OnContentRendered", m_onRendered); }
    void OnClosing(bool& cancel) override;
    void OnExit() override { m_log.push_back("OnExit"); CWPFDialog::OnExit(); }
    void OnSaveAndExit() override { m_log.push_back("OnSaveAndExit"); CWPFDialog::OnSaveAndExit(); }
    void OnSelect() override { m_log.push_back("OnSelect"); CWPFDialog::OnSelect(); }

    // The log, one entry per call or event ("OnInitDialog", "click VKBUTTON_ADD", ...).
    std::vector<std::string> m_log;
    // Closing is refused this many times before it is allowed.
    int m_nRefuseClosing = 0;
    // Run at the end of the stage of the same name.
    std::function<void(CTestDialog&)> m_onInit;
    std::function<void(CTestDialog&)> m_afterInit;
    std::function<void(CTestDialog&)> m_onRendered;
    // Run by a click on "Hinzufügen".
    std::function<void(CTestDialog&)> m_onAdd;
    // Whether every element and the root attached.
    bool m_bAttached = false;
    CWPFWndBase* m_pRoot = nullptr;

    CWPFMatrix<3> m_matrix;
    CWPFVKLTextBox m_editName;
    CWPFVKLTextBox m_editFilter;
    CWPFVKLListView m_list;
    CWPFVKButton m_btnAdd;
    CWPFVKXButton m_btnFavorit;
    CWPFVKTextBlock m_textStatus;
    CWPFMenuItem m_menuDelete;

private:
    // Logs the stage and runs its hook, when set.
    void Stage(const char* name, const std::function<void(CTestDialog&)>& hook);
};

// The entries of the log that start with one of the prefixes.
std::vector<std::string> EntriesStartingWith(const std::vector<std::string>& log,
                                             std::initializer_list<std::string> prefixes);

// The test dialog with a box answerer, run by a dialog driver.
class TestDialogFixture : public ::testing::Test {
protected:
    void SetUp() override { j3test::GuiApplication::Instance(); }

    // Runs the dialog with the steps, ending with OK; the entries of its log
    // that start with one of the prefixes.
    std::vector<std::string> Run(std::initializer_list<std::string> prefixes);

    CBoxAnswerer m_boxes;
    CTestDialog m_dialog;
    j3test::DialogDriver m_driver;
};
