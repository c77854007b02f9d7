#pragma once
#include "msgbox/BoxAnswerer.h"
#include "PracticeFixture.h"
#include "ShownTexts.h"

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
class PatientDialogFixture : public PracticeFixture, protected ShownTexts {
protected:
    void SetUp() override;
    void TearDown() override;

    // Plays script on the patient choice once it shows over the running
    // dialog; a choice left open afterwards is a failure and is cancelled.
    void WhenChoiceOpens(std::function<void(QDialog&)> script);
    bool ChoiceOpened() const { return m_bChoiceOpened; }

    std::vector<std::string> Boxes() const { return BoxLines(m_boxes.Records()); }

    CBoxAnswerer m_boxes;
    std::string m_pluginFolder;

private:
    std::unique_ptr<QTimer> m_choicePoll;
    std::function<void(QDialog&)> m_choiceScript;
    bool m_bChoiceOpened = false;
};
