#include "tools/csv_exchange.h"

#include <gtest/gtest.h>

#include "dictionary/dictionary_file.h"

namespace lexo {
namespace {

std::vector<Expression> rows(const ExpressionTable& table) {
    std::vector<Expression> result;
    for (std::size_t row = 0; row < table.size(); ++row) result.push_back(table.at(row));
    return result;
}

Expression entry(std::string foreign, std::string czech, std::string pronunciation = "[]") {
    return {std::move(foreign), std::move(czech), std::move(pronunciation), "NENÍ"};
}

std::vector<std::size_t> numbers(const std::vector<ExchangeNote>& notes) {
    std::vector<std::size_t> result;
    for (const ExchangeNote& note : notes) result.push_back(note.number);
    return result;
}

TEST(CsvImport, QuotedFieldsKeepSeparatorsQuotesAndLineBreaks) {
    const ExchangeImport import = parseDelimited(
        "dog,pes\r\n"
        "\"hello, world\",\"ahoj, světe\",həˈləʊ\r\n"
        "\"say \"\"hi\"\"\",\"řekni \"\"ahoj\"\"\"\r\n"
        "\"two\r\nlines\",\"dva\nřádky\"\r\n"
        "tab\there,tabulátor\n"
        "last,poslední");
    ASSERT_TRUE(import.ok);
    EXPECT_TRUE(import.skipped.empty());
    EXPECT_EQ(rows(import.table),
              (std::vector<Expression>{entry("dog", "pes"), entry("hello, world", "ahoj, světe", "həˈləʊ"),
                                       entry("say \"hi\"", "řekni \"ahoj\""), entry("two  lines", "dva řádky"),
                                       entry("tab\there", "tabulátor"), entry("last", "poslední")}));
    // The line breaks could not stay in a dictionary line: that entry is reported, by the
    // line it starts on.
    EXPECT_EQ(numbers(import.changed), (std::vector<std::size_t>{4}));
}

TEST(CsvImport, CzechSpreadsheetsSeparateWithSemicolonsAndBomIsDropped) {
    const ExchangeImport import = parseDelimited("\xEF\xBB\xBF" "cat;kočka;kæt\r\n\"a;b\";c\r\n");
    ASSERT_TRUE(import.ok);
    // The ";" inside a text becomes "+", as when typed in the editor.
    EXPECT_EQ(rows(import.table), (std::vector<Expression>{entry("cat", "kočka", "kæt"), entry("a+b", "c")}));
    EXPECT_EQ(numbers(import.changed), (std::vector<std::size_t>{2}));
}

TEST(CsvImport, WhatCannotComeOverIsReportedByLineNumber) {
    const ExchangeImport import = parseDelimited(
        "dog,pes\n"
        "\n"
        ",,\n"
        "jenom jedno\n"
        "\"víc\nřádků\",x,y,navíc\n"
        "ok,dobře\n"
        "\"neukončené,pole\n");
    ASSERT_TRUE(import.ok);
    EXPECT_EQ(rows(import.table), (std::vector<Expression>{entry("dog", "pes"), entry("víc řádků", "x", "y"),
                                                           entry("ok", "dobře")}));
    EXPECT_EQ(numbers(import.skipped), (std::vector<std::size_t>{4, 8}));
    EXPECT_EQ(numbers(import.changed), (std::vector<std::size_t>{5, 5}));

    // A text of nothing but a NUL is no text: the row would vanish on the next round trip.
    const ExchangeImport nul = parseDelimited(std::string(",\0,\nx,y\n", 8), ',');
    EXPECT_EQ(rows(nul.table), (std::vector<Expression>{entry("x", "y")}));
    EXPECT_EQ(numbers(nul.skipped), (std::vector<std::size_t>{1}));
    const ExchangeImport nulPronunciation = parseDelimited(std::string("a;b;\0", 5), ';');
    EXPECT_EQ(rows(nulPronunciation.table), (std::vector<Expression>{entry("a", "b", "[]")}));
}

TEST(CsvImport, TsvAndWindows1250) {
    const ExchangeImport tsv = parseDelimited("dog\tpes, hafan\n\"a\tb\"\tc\n", '\t');
    EXPECT_EQ(rows(tsv.table), (std::vector<Expression>{entry("dog", "pes, hafan"), entry("a\tb", "c")}));
    const ExchangeImport ansi = parseDelimited("cat,ko\xE8ka\r\n");
    EXPECT_EQ(rows(ansi.table), (std::vector<Expression>{entry("cat", "kočka")}));
    // A UTF-8 mark before Windows-1250 text: the text wins, and that is said.
    const ExchangeImport marked = parseDelimited("\xEF\xBB\xBF" "cat,ko\xE8ka\r\n");
    EXPECT_EQ(rows(marked.table), (std::vector<Expression>{entry("cat", "kočka")}));
    EXPECT_EQ(marked.remarks.size(), 1u);
}

TEST(CsvExport, RoundTripsThroughTheReaderWithoutLosingALetter) {
    ExpressionTable table;
    table.append("dog+hound", "pes", "[]", "NENÍ");
    table.append("hello, \"you\"", "ahoj, ty", "həˈləʊ", "/zvuky/a.wav");
    table.append("tab\there", "žluťoučký kůň úpěl ďábelské ódy", "[]", "NENÍ");
    table.append("", "prázdný", "[]", "NENÍ");
    for (const char separator : {',', '\t'}) {
        const std::string text = buildDelimited(table, separator);
        const ExchangeImport back = parseDelimited(text, separator);
        ASSERT_TRUE(back.ok);
        EXPECT_TRUE(back.skipped.empty() && back.changed.empty());
        ASSERT_EQ(back.table.size(), table.size());
        for (std::size_t row = 0; row < table.size(); ++row) {
            EXPECT_EQ(back.table.foreign(row), table.foreign(row));
            EXPECT_EQ(back.table.czech(row), table.czech(row));
            EXPECT_EQ(back.table.pronunciation(row), table.pronunciation(row));
        }
    }
    EXPECT_TRUE(buildDelimited(table, ',').starts_with("dog+hound,pes,\r\n\"hello, \"\"you\"\"\",\"ahoj, ty\",həˈləʊ\r\n"));
}

TEST(CsvExport, ThePronunciationColumnOnlyWhenThereIsOne) {
    ExpressionTable table;
    table.append("dog", "pes", "[]", "NENÍ");
    table.append("cat", "kočka", "[]", "NENÍ");
    EXPECT_EQ(buildDelimited(table, ','), "dog,pes\r\ncat,kočka\r\n");
}

}  // namespace
}  // namespace lexo
