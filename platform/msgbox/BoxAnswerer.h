#pragma once
#include "msgbox/BoxRecord.h"

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

// Answers boxes in place of a person, for tests and unattended runs.
//
// Constructing an answerer installs it; destroying it puts back the one that
// was installed before (answerers nest, the newest answers). While one is
// installed no box window opens: every box and progress call is recorded
// (kind, caption, text, answer) and answered from here.
//
// Only boxes that ask take a queued answer, in the order they come:
// - SollIch returns the queued code (10 yes, 11 no); with an empty queue the
//   default answer (11, no: an unattended run never agrees by itself).
// - VKParamBox: a queued input confirms with the given field texts (fields
//   left out keep their initial texts); a queued code 0 cancels, another code
//   confirms with the initial texts; an empty queue cancels.
// Notices (HaltE, HaltI, Halt, VKHaltE) take nothing from the queue and
// return 1 (OK).
// J3OpenProgressBox succeeds unless SetProgressAvailable(false) was called.
class CBoxAnswerer {
public:
    struct SAnswer {
        int code = 0;
        std::vector<std::string> inputs; // UTF-8
    };

    CBoxAnswerer();
    ~CBoxAnswerer();
    CBoxAnswerer(const CBoxAnswerer&) = delete;
    CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;

    // The answerer in charge, null when people answer.
    static CBoxAnswerer* Installed();

    void QueueAnswer(int code);
    void QueueInput(std::vector<std::string> fieldTexts);
    void SetDefaultAnswer(int code);
    void SetProgressAvailable(bool available);
    std::size_t PendingAnswers() const;

    const std::vector<SBoxRecord>& Records() const;
    // The records of one kind, in order.
    std::vector<SBoxRecord> RecordsOf(EBoxKind kind) const;
    void ClearRecords();

    // Called by the boxes: record a box and give its answer.
    int AnswerQuestion(SBoxRecord record);
    int AnswerNotice(SBoxRecord record);
    // The answer for an input box; the caller records it once it is applied.
    SAnswer TakeInputAnswer();
    bool ProgressAvailable() const;
    void Record(SBoxRecord record);

private:
    CBoxAnswerer* m_previous = nullptr;
    std::deque<SAnswer> m_answers;
    std::vector<SBoxRecord> m_records;
    int m_defaultAnswer = 11;
    bool m_progressAvailable = true;
};
