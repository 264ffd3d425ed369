// Steps timed between marks, the text one bench process hands them over
// in, their medians, and the heap block sizes that grew.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "BlockSizes.h"
#include "StepsText.h"

namespace {
std::vector<std::string> Names(const std::vector<Step>& steps) {
    std::vector<std::string> names;
    for (const Step& s : steps)
        names.push_back(s.name);
    return names;
}
}  // namespace

TEST(Steps, ClockKeepsTheOrderOfMarksAndAddedSteps) {
    StepClock clock;
    clock.Mark("made");
    clock.Add("decodes", 2.5);
    clock.Restart();
    clock.Mark("shown");
    ASSERT_EQ(Names(clock.Steps()), (std::vector<std::string>{"made", "decodes", "shown"}));
    EXPECT_EQ(clock.Steps()[1].ms, 2.5);
    for (const Step& s : clock.Steps())
        EXPECT_GE(s.ms, 0) << s.name;
    EXPECT_DOUBLE_EQ(clock.Total(), clock.Steps()[0].ms + 2.5 + clock.Steps()[2].ms);
}

TEST(Steps, TextReadsBackAsWritten) {
    const std::vector<Step> made = {{"its window and browser control", 13.125}, {"tray icon", 0.5}};
    const std::vector<Step> again = {{"its window and browser control", 11}, {"tray icon", 0.25}};
    const std::vector<Step> shown = {{"shown, with the display mode applied again", 9.75}};
    const std::string text = StepsText("first", made) + StepsText("repeat", shown) + StepsText("fresh", again) +
                             StepsText("repeat", shown) + kStepsComplete;
    const GameWindowSteps read = ParseStepsText(text);
    EXPECT_TRUE(read.complete);
    ASSERT_EQ(read.first.size(), 2u);
    EXPECT_EQ(read.first[0].name, "its window and browser control");
    EXPECT_EQ(read.first[0].ms, 13.125);
    ASSERT_EQ(read.fresh.size(), 1u);
    EXPECT_EQ(read.fresh[0][1].ms, 0.25);
    ASSERT_EQ(read.repeat.size(), 2u);
    EXPECT_EQ(read.repeat[1][0].name, "shown, with the display mode applied again");
}

TEST(Steps, TextThatIsCutOrDamaged) {
    const struct {
        const char* name;
        const char* text;
        std::size_t fresh;     // windows read
        std::size_t steps;     // steps of the first of them
        bool complete;
    } cases[] = {
        {"nothing", "", 0, 0, false},
        {"cut before its end line", "fresh\t1.5\tmade\n", 0, 0, false},
        {"cut after a window", "fresh\t1.5\tmade\nfresh\tend\nfresh\t2\tmade\n", 1, 1, false},
        {"Windows line ends", "fresh\t1.5\tmade\r\nfresh\tend\r\ncomplete\r\n", 1, 1, true},
        {"a line without a number", "fresh\tsoon\tmade\nfresh\t2\tshown\nfresh\tend\n", 1, 1, false},
        {"a line without a name", "fresh\t2\nfresh\tend\n", 1, 0, false},
        {"an unknown kind is dropped", "later\t2\tmade\nlater\tend\n", 0, 0, false},
    };
    for (const auto& c : cases) {
        const GameWindowSteps read = ParseStepsText(c.text);
        EXPECT_EQ(read.fresh.size(), c.fresh) << c.name;
        if (c.fresh > 0 && !read.fresh.empty()) {
            EXPECT_EQ(read.fresh[0].size(), c.steps) << c.name;
        }
        EXPECT_EQ(read.complete, c.complete) << c.name;
    }
}

TEST(Steps, MedianOfEachStepByPosition) {
    const std::vector<std::vector<Step>> runs = {
        {{"made", 10}, {"shown", 1}},
        {{"made", 30}, {"shown", 3}},
        {{"made", 20}},  // a run cut short counts where it has the step
    };
    const std::vector<Step> medians = MedianSteps(runs);
    ASSERT_EQ(Names(medians), (std::vector<std::string>{"made", "shown"}));
    EXPECT_EQ(medians[0].ms, 20);
    EXPECT_EQ(medians[1].ms, 2);
    EXPECT_TRUE(MedianSteps({}).empty());
}

TEST(BlockSizes, SizesThatGrewMostByBytes) {
    const struct {
        const char* name;
        BlockCounts before, after;
        std::size_t most;
        std::vector<std::string> grown;
    } cases[] = {
        {"nothing grew", {{24, 5}}, {{24, 5}}, 3, {}},
        {"fewer blocks are no growth", {{24, 5}}, {{24, 2}}, 3, {}},
        {"a new size counts from none", {}, {{240, 1}}, 3, {"240 B x +1"}},
        {"most bytes first, not most blocks", {{24, 10}, {240, 1}}, {{24, 19}, {240, 2}, {12, 1}}, 3,
         {"240 B x +1", "24 B x +9", "12 B x +1"}},
        {"a tie goes to the smaller size", {}, {{32, 1}, {16, 2}}, 3, {"16 B x +2", "32 B x +1"}},
        {"at most the number asked", {}, {{8, 1}, {16, 1}, {32, 1}}, 2, {"32 B x +1", "16 B x +1"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GrownBlockSizes(c.before, c.after, c.most), c.grown) << c.name;
}
