#pragma once
#include "msgbox/BoxAnswerer.h"
#include "support/TempDir.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;

// A practice database in a temporary folder with a few patients, opened as
// the running program's database; a Qt application; an answerer recording
// every box; the plugins of the build folder.
class PatientDialogFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Stores a patient; texts are UTF-8.
    static void AddPatient(const char* nr, const char* name, const char* vorname, const char* gebDat);

    // Plays script on the patient choice once it shows over the running
    // dialog; a choice left open afterwards is a failure and is cancelled.
    void WhenChoiceOpens(std::function<void(QDialog&)> script);
    bool ChoiceOpened() const { return m_bChoiceOpened; }

    // What a window shows (UTF-8): the text of a box, a column of a list.
    static std::string Text(QDialog& window, const std::string& name);
    static std::vector<std::string> Column(QDialog& window, const std::string& list, int column);
    // The boxes shown so far as "caption|text", progress calls left out.
    std::vector<std::string> Boxes() const;

    CBoxAnswerer m_boxes;
    std::string m_pluginFolder;

private:
    j3test::TempDir m_folder;
    std::unique_ptr<QTimer> m_choicePoll;
    std::function<void(QDialog&)> m_choiceScript;
    bool m_bChoiceOpened = false;
};
