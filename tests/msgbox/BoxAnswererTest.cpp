#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<int> Answers(const std::vector<SBoxRecord>& records)
{
    std::vector<int> answers;
    for (const SBoxRecord& record : records)
        answers.push_back(record.answer);
    return answers;
}

TEST(BoxAnswererTest, QuestionsTakeQueuedAnswersInOrderThenTheDefault)
{
    CBoxAnswerer answerer;
    answerer.QueueAnswer(BOX_YES);
    answerer.QueueAnswer(BOX_NO);
    answerer.QueueAnswer(BOX_YES);
    EXPECT_EQ(SollIch("Frage", "eins", nullptr), BOX_YES);
    // Notices in between take nothing from the queue.
    EXPECT_EQ(HaltI("Hinweis", "dazwischen", nullptr), BOX_OK);
    EXPECT_EQ(HaltE("Fehler", "dazwischen", nullptr), BOX_OK);
    EXPECT_EQ(SollIch("Frage", "zwei", nullptr), BOX_NO);
    EXPECT_EQ(SollIch("Frage", "drei", nullptr), BOX_YES);
    EXPECT_EQ(SollIch("Frage", "vier", nullptr), BOX_NO);
    answerer.SetDefaultAnswer(BOX_YES);
    EXPECT_EQ(SollIch("Frage", "f\xFCnf", nullptr), BOX_YES);

    EXPECT_EQ(answerer.Records().size(), 7u);
    const std::vector<SBoxRecord> questions = answerer.RecordsOf(EBoxKind::Question);
    EXPECT_EQ(Answers(questions), (std::vector<int>{BOX_YES, BOX_NO, BOX_YES, BOX_NO, BOX_YES}));
    EXPECT_EQ(questions.back().text, "fünf");
}

TEST(BoxAnswererTest, NewestAnswererAnswersAndTheOlderOneReturns)
{
    CBoxAnswerer outer;
    outer.QueueAnswer(BOX_YES);
    {
        CBoxAnswerer inner;
        EXPECT_EQ(CBoxAnswerer::Installed(), &inner);
        EXPECT_EQ(SollIch("Frage", "innen", nullptr), BOX_NO);
    }
    EXPECT_EQ(CBoxAnswerer::Installed(), &outer);
    EXPECT_EQ(SollIch("Frage", "au\xDF" "en", nullptr), BOX_YES);
    EXPECT_EQ(outer.Records().size(), 1u);
}

TEST(BoxAnswererTest, AnswererEndingOutOfOrderLeavesNoDanglingAnswerer)
{
    auto first = std::make_unique<CBoxAnswerer>();
    auto second = std::make_unique<CBoxAnswerer>();
    auto third = std::make_unique<CBoxAnswerer>();
    second.reset();
    EXPECT_EQ(CBoxAnswerer::Installed(), third.get());
    third.reset();
    EXPECT_EQ(CBoxAnswerer::Installed(), first.get());
    Halt("Hinweis", "beim ersten", nullptr);
    EXPECT_EQ(first->Records().size(), 1u);
    first.reset();
    EXPECT_EQ(CBoxAnswerer::Installed(), nullptr);
}

} // namespace
