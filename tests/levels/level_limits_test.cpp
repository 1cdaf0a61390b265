// Every level limit just inside and just outside, from limit_boundaries.txt.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "levels/level_checks.h"

namespace zendro::levels {
namespace {

StaffReading reading(double staff, double sight, bool marked = false) {
    StaffReading out;
    out.staff = staff;
    out.distance = sight;
    out.marked = marked;
    return out;
}

// A one-setup loop on A with the measure the row names.
LevelLine lineWith(const std::string& check, const std::vector<double>& v) {
    LevelLine line;
    line.startPoint = "A";
    Setup setup;
    double back = 1.5;
    double fore = 1.5;
    double backSight = 30;
    double foreSight = 30;
    if (check == "imbalance" || check == "line") foreSight = 30 - v.at(0);
    if (check == "sight") backSight = foreSight = v.at(0);
    if (check == "reading") fore = v.at(0);
    if (check == "closure") {
        backSight = foreSight = v.at(0) / 2;
        fore = back - v.at(1);
    }
    setup.backs.push_back(reading(back, backSight, check == "marked" && v.at(0) >= 1));
    setup.fores.push_back(reading(fore, foreSight, check == "marked" && v.at(0) >= 2));
    if (check == "double") {
        setup.backs.push_back(reading(back, backSight));
        setup.fores.push_back(reading(fore + v.at(0), foreSight));
    }
    setup.fores.front().point = setup.fores.back().point = "A";
    setup.backs.front().point = "A";
    line.setups.push_back(setup);
    return line;
}

LevelCheck checkNamed(const std::string& check) {
    if (check == "imbalance") return LevelCheck::SetupImbalance;
    if (check == "sight") return LevelCheck::LongestSight;
    if (check == "reading") return LevelCheck::LowestReading;
    if (check == "double") return LevelCheck::DoubleDifference;
    if (check == "line") return LevelCheck::LineImbalance;
    if (check == "closure") return LevelCheck::Closure;
    return LevelCheck::MarkedReadings;
}

TEST(LevelLimitBoundaries, EachLimitJustInsideAndJustOutside) {
    std::ifstream table(ZENDRO_LEVEL_LIMIT_BOUNDARIES);
    ASSERT_TRUE(table) << ZENDRO_LEVEL_LIMIT_BOUNDARIES;
    std::size_t rows = 0;
    for (std::string text; std::getline(table, text);) {
        if (text.empty() || text.starts_with('#')) continue;
        std::istringstream fields(text);
        std::string unitWord, check, word;
        fields >> unitWord >> check;
        std::vector<std::string> words;
        while (fields >> word) words.push_back(word);
        const bool over = words.back() == "over";
        words.pop_back();
        std::vector<double> values;
        for (const std::string& w : words) values.push_back(std::stod(w));
        const LengthUnit unit = unitWord == "m" ? LengthUnit::Metre : LengthUnit::UsSurveyFoot;
        // A double reading's spread is given in the limit's own form: mm for meters.
        if (check == "double") values[0] = review::fineLengthInUnit(values[0], unit);
        const LevelLine line = lineWith(check, values);
        std::vector<LevelFinding> findings;
        CheckTally tally;
        const LevelForms forms = LevelForms::of(unit);
        ReducedLine reduced = reduceLine(line, {}, forms, findings, tally);
        checkLine(reduced, {}, review::defaultLevelLimits(unit), forms, findings, tally);
        bool found = false;
        for (const LevelFinding& finding : findings)
            found = found || (finding.check == checkNamed(check) && finding.over);
        EXPECT_EQ(found, over) << text;
        ++rows;
    }
    EXPECT_EQ(rows, 31u);
}

}  // namespace
}  // namespace zendro::levels
