#pragma once
#include "msgbox/BoxAnswerer.h"
#include "PracticeFixture.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;

// A practice database in a temporary folder with five patients, opened as
// the running program's database; a Qt application; an answerer recording
// every box; the plugins of the build folder.
class PatientDialogFixture : public PracticeFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Plays script on the patient choice once it shows over the running
    // dialog; a choice left open afterwards is a failure and is cancelled.
    void WhenChoiceOpens(std::function<void(QDialog&)> script);
    bool ChoiceOpened() const { return m_bChoiceOpened; }

    // What a window shows (UTF-8): the text of a box, a column of a list.
    static std::string Text(QDialog& window, const char* name);
    static std::vector<std::string> Column(QDialog& window, const char* list, int column);
    // The boxes and progress calls so far, in short: "caption|text",
    // "open", "at 1/5", "text K1", "close".
    std::vector<std::string> Boxes() const;

    CBoxAnswerer m_boxes;
    std::string m_pluginFolder;

private:
    std::unique_ptr<QTimer> m_choicePoll;
    std::function<void(QDialog&)> m_choiceScript;
    bool m_bChoiceOpened = false;
};
