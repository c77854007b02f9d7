#include "msgbox/BoxAnswerer.h"

#include "msgbox/Boxes.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {
CBoxAnswerer* s_installed = nullptr;
}

CBoxAnswerer::CBoxAnswerer() : m_previous(s_installed)
{
    s_installed = this;
}

CBoxAnswerer::~CBoxAnswerer()
{
    // Answerers normally end in reverse order of installation; one that ends
    // out of order is unlinked, so that no dangling answerer is put back.
    if (s_installed == this) {
        s_installed = m_previous;
        return;
    }
    for (CBoxAnswerer* newer = s_installed; newer != nullptr; newer = newer->m_previous) {
        if (newer->m_previous == this) {
            newer->m_previous = m_previous;
            return;
        }
    }
}

CBoxAnswerer* CBoxAnswerer::Installed()
{
    return s_installed;
}

void CBoxAnswerer::QueueAnswer(int code)
{
    m_answers.push_back({code, {}});
}

void CBoxAnswerer::QueueInput(std::vector<std::string> fieldTexts)
{
    m_answers.push_back({BOX_OK, std::move(fieldTexts)});
}

void CBoxAnswerer::SetDefaultAnswer(int code)
{
    m_defaultAnswer = code;
}

void CBoxAnswerer::SetProgressAvailable(bool available)
{
    m_progressAvailable = available;
}

std::size_t CBoxAnswerer::PendingAnswers() const
{
    return m_answers.size();
}

const std::vector<SBoxRecord>& CBoxAnswerer::Records() const
{
    return m_records;
}

std::vector<SBoxRecord> CBoxAnswerer::RecordsOf(EBoxKind kind) const
{
    std::vector<SBoxRecord> found;
    std::copy_if(m_records.begin(), m_records.end(), std::back_inserter(found),
                 [kind](const SBoxRecord& record) { return record.kind == kind; });
    return found;
}

void CBoxAnswerer::ClearRecords()
{
    m_records.clear();
}

int CBoxAnswerer::AnswerQuestion(SBoxRecord record)
{
    record.answer = m_defaultAnswer;
    if (!m_answers.empty()) {
        record.answer = m_answers.front().code;
        m_answers.pop_front();
    }
    Record(record);
    return record.answer;
}

int CBoxAnswerer::AnswerNotice(SBoxRecord record)
{
    record.answer = BOX_OK;
    Record(record);
    return record.answer;
}

CBoxAnswerer::SAnswer CBoxAnswerer::TakeInputAnswer()
{
    if (m_answers.empty())
        return {0, {}};
    SAnswer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

bool CBoxAnswerer::ProgressAvailable() const
{
    return m_progressAvailable;
}

void CBoxAnswerer::Record(SBoxRecord record)
{
    m_records.push_back(std::move(record));
}
