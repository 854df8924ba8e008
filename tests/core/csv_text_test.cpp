// The CSV reader and writer and the UTF-8 / Latin-1 boundary.
#include "core/csv_text.h"

#include <gtest/gtest.h>

namespace tq530 {
namespace {

TEST(CsvText, QuotedFieldsHoldCommasQuotesAndLineEnds) {
    const CsvParse p = ParseCsv("a,\"b,c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",,x\n");
    ASSERT_TRUE(p.Error.empty()) << p.Error;
    ASSERT_EQ(p.Records.size(), 2u);
    EXPECT_EQ(p.Records[0], (CsvRecord{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(p.Records[1], (CsvRecord{"two\nlines", "", "x"}));
    EXPECT_EQ(p.RecordRows, (std::vector<int>{1, 2}));
}

TEST(CsvText, RowsAreCountedAsTheFileShowsThem) {
    // A byte-order mark, blank lines, a field over two lines and no line end at the end.
    const CsvParse p = ParseCsv("\xEF\xBB\xBFh1,h2\r\n\r\n\"x\r\ny\",1\n\nlast,2");
    ASSERT_TRUE(p.Error.empty()) << p.Error;
    ASSERT_EQ(p.Records.size(), 3u);
    EXPECT_EQ(p.Records[0], (CsvRecord{"h1", "h2"}));
    EXPECT_EQ(p.Records[1][0], "x\r\ny");
    EXPECT_EQ(p.Records[2], (CsvRecord{"last", "2"}));
    EXPECT_EQ(p.RecordRows, (std::vector<int>{1, 3, 6}));
}

TEST(CsvText, BrokenQuotingIsReportedWithItsRow) {
    CsvParse p = ParseCsv("a,b\nab\"c,d\n");
    EXPECT_FALSE(p.Error.empty());
    EXPECT_EQ(p.ErrorRow, 2);
    p = ParseCsv("a\n\"x\"y,z\n");
    EXPECT_FALSE(p.Error.empty());
    EXPECT_EQ(p.ErrorRow, 2);
    p = ParseCsv("a\nb\n\"open,\nstill open\n");
    EXPECT_FALSE(p.Error.empty());
    EXPECT_EQ(p.ErrorRow, 3);
}

TEST(CsvText, WrittenLinesReadBackAsTheyWere) {
    const CsvRecord fields = {"plain", "with,comma", "with \"quote\"", "two\r\nlines", "", " pad "};
    const std::string line = CsvLine(fields);
    EXPECT_EQ(line, "plain,\"with,comma\",\"with \"\"quote\"\"\",\"two\r\nlines\",, pad \r\n");
    const CsvParse p = ParseCsv(line + line);
    ASSERT_EQ(p.Records.size(), 2u);
    EXPECT_EQ(p.Records[0], fields);
    EXPECT_EQ(p.Records[1], fields);
}

TEST(CsvText, Latin1CrossesToUtf8AndBack) {
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::string utf8 = Latin1ToUtf8(all);
    EXPECT_EQ(utf8.size(), 127u + 2u * 128u);
    EXPECT_EQ(Latin1ToUtf8("\xE9"), "\xC3\xA9");
    EXPECT_EQ(Utf8ToLatin1(utf8), all);
}

TEST(CsvText, Utf8BeyondLatin1OrBrokenIsRefused) {
    std::string bad;
    EXPECT_FALSE(Utf8ToLatin1("ab\xE2\x82\xAC", &bad));  // the euro sign
    EXPECT_EQ(bad, "\xE2\x82\xAC");
    bad.clear();
    EXPECT_FALSE(Utf8ToLatin1("\xE9t\xE9", &bad));  // Latin-1 bytes, not UTF-8
    EXPECT_TRUE(bad.empty());
    EXPECT_FALSE(Utf8ToLatin1("\xC0\xAF"));  // an overlong "/"
    EXPECT_FALSE(Utf8ToLatin1("\xC3"));      // cut short
}

}  // namespace
}  // namespace tq530
