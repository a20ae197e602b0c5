#include "workspace/ExportSettings.h"

#include <gtest/gtest.h>

namespace {

struct WordsCase {
    std::vector<std::string> words;
    std::string fileName;
    std::string range;
    int data, summ, both;
    int peaks = 0;
};

class ExportWordsTest : public ::testing::TestWithParam<WordsCase> {};

}  // namespace

// Starting from a stored choice of both, a file name and a range.
TEST_P(ExportWordsTest, WordsReplaceTheStoredChoices)
{
    ExportSettings settings{"old.txt", "1", 1, 0, 0};
    settings.ApplyWords(GetParam().words);
    EXPECT_EQ(settings.FileName, GetParam().fileName);
    EXPECT_EQ(settings.Range, GetParam().range);
    EXPECT_EQ(settings.Data, GetParam().data);
    EXPECT_EQ(settings.Summ, GetParam().summ);
    EXPECT_EQ(settings.Both, GetParam().both);
    EXPECT_EQ(settings.Peaks, GetParam().peaks);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ExportWordsTest,
    ::testing::Values(WordsCase{{}, "old.txt", "1", 0, 0, 1},
                      WordsCase{{"Lines.txt"}, "Lines.txt", "1", 0, 0, 1},
                      WordsCase{{"a", "data"}, "a", "1", 1, 0, 0},
                      WordsCase{{"a", "SUM", "2.5"}, "a", "2.5", 0, 1, 0},
                      WordsCase{{"a", "sd"}, "a", "1", 1, 0, 0},  // D wins over S
                      WordsCase{{"a", "Peaks"}, "a", "1", 0, 0, 0, 1},  // P wins over S
                      WordsCase{{"a", "b"}, "a", "1", 0, 0, 1},
                      WordsCase{{"a", "xyz", "1234567890"}, "a", "123456789", 0, 0, 1},
                      WordsCase{{std::string(300, 'f')}, std::string(255, 'f'), "1", 0, 0, 1}));
