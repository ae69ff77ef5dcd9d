// The progress rule and the status rule that the Sketch and Adobe XD upload runs share.

#include "Import/Plugin/StatusCheckedCall.h"
#include "Import/Plugin/UploadProgress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Counter = UploadProgress::Counter;

TEST(UploadProgress, CountsThreeStepsPerArtboardAndOnePerMasterAndEndsAtExactlyHundred)
{
    const struct {
        const char* name;
        std::size_t artboards, masters;
        std::vector<std::pair<Counter, int>> steps;
        int total;
        std::vector<double> percentages; // after each step
    } cases[] = {
        {"two artboards and a master",
         2, 1,
         {{Counter::artboards, 2}, {Counter::symbols, 1}, {Counter::previews, 1}, {Counter::previews, 1},
          {Counter::artboards, 1}, {Counter::artboards, 1}},
         7,
         {200.0 / 7, 300.0 / 7, 400.0 / 7, 500.0 / 7, 600.0 / 7, 100.0}},
        // Thirds do not add up to 100 in floating point; the last step must still say exactly 100.
        {"one artboard", 1, 0, {{Counter::artboards, 1}, {Counter::previews, 1}, {Counter::artboards, 1}}, 3,
         {100.0 / 3, 200.0 / 3, 100.0}},
        {"nothing to count", 0, 0, {{Counter::previews, 1}}, 0, {0.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UploadProgress progress(c.artboards, c.masters);
        EXPECT_EQ(progress.total(), c.total);
        EXPECT_EQ(progress.percentage(), 0.0);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            progress.advance(c.steps[i].first, c.steps[i].second);
            EXPECT_DOUBLE_EQ(progress.percentage(), c.percentages[i]) << "after step " << i;
            EXPECT_EQ(progress.isComplete(), c.percentages[i] == 100.0) << "after step " << i;
        }
    }
    EXPECT_EQ(UploadProgress::counterLine("ExportUploadOperation - currentUploadedStep: ", 3),
              "ExportUploadOperation - currentUploadedStep: 3.0");
}

TEST(StatusCheckedCall, OnlyTheRuleOfTheStepDecidesWhatAReplyWithoutStatusMeans)
{
    using Rule = StatusCheckedCall::StatusRule;
    const struct {
        const char* reply;
        bool passesMustBeTrue;
        bool passesAbsentPasses;
    } cases[] = {
        {R"({"status": true})", true, true},
        {R"({"status": false})", false, false}, // an explicit refusal fails every step
        {R"({})", false, true},
        {R"({"status": null})", false, true},
        {R"({"status": "true"})", false, true},
        {R"({"status": 1})", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        const boost::json::object reply = boost::json::parse(c.reply).as_object();
        EXPECT_EQ(StatusCheckedCall::passes(reply, Rule::mustBeTrue), c.passesMustBeTrue);
        EXPECT_EQ(StatusCheckedCall::passes(reply, Rule::absentPasses), c.passesAbsentPasses);
    }
}

} // namespace
