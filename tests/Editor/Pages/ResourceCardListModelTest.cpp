#include "Editor/Pages/ColorCardListModel.h"
#include "Editor/Pages/PageDisplayText.h"
#include "Editor/Pages/TextStyleCardListModel.h"
#include "platform/EventSinks.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <memory>
#include <string>
#include <vector>

namespace {

std::shared_ptr<ColorModel> color(const std::string& name, double red, double green, double blue, double alphaF = 1.0,
                                  std::int64_t alphaInt = 100)
{
    return std::make_shared<ColorModel>(name, alphaF, alphaInt, red * 255, blue * 255, green * 255, "", "", "", "", red,
                                        green, blue, alphaF);
}

std::shared_ptr<FontModel> font(const std::string& name, const std::string& styleName, const std::string& sizeS)
{
    auto model = std::make_shared<FontModel>();
    model->name = name;
    model->textStyleName = styleName;
    model->sizeS = sizeS;
    return model;
}

std::vector<std::string> shownNames(const ResourceCardListModel& model)
{
    std::vector<std::string> names;
    for (int row = 0; row < model.rowCount(); ++row)
        names.push_back(model.index(row, 0).data(ResourceCardListModel::NameRole).toString().toStdString());
    return names;
}

using Names = std::vector<std::string>;

class ColorCardListModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tester = std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.update({color("brand", 1, 0.5, 0), color("ink", 0, 0, 0), color("accent255", 0, 0, 1),
                      color("mist", 1, 1, 1, 0.5, 50)},
                     {color("orange", 1, 0.5, 0), color("Shadow", 0, 0, 0, 0.5, 50)});
    }

    ColorCardListModel model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ColorCardListModelTest, SearchesNameThenHexThenRgbOfTheChosenScope)
{
    const struct {
        const char* query;
        ComponentSearchScope scope;
        Names shown;
    } cases[] = {
        {"", ComponentSearchScope::screen, {"orange", "Shadow"}},
        {"", ComponentSearchScope::project, {"brand", "ink", "accent255", "mist"}},
        {"#ff", ComponentSearchScope::project, {"brand"}},       // mist's hex is #80ffffff
        {"#FF80", ComponentSearchScope::project, {"brand"}},     // both sides lower-cased
        {"255", ComponentSearchScope::project, {"brand", "accent255", "mist"}}, // rgb text, then the name
        {"rgb", ComponentSearchScope::project, {}},               // the card's "Rgb " prefix is not searched
        {"SHAD", ComponentSearchScope::screen, {"Shadow"}},
        {"ink", ComponentSearchScope::screen, {}},                // the project's colour is not in the screen scope
        {"ink", ComponentSearchScope::project, {"ink"}},
    };
    for (const auto& c : cases) {
        model.startSearch(std::string(c.query), c.scope);
        EXPECT_EQ(shownNames(model), c.shown) << c.query;
        EXPECT_EQ(model.isEmpty(), c.shown.empty()) << c.query;
        EXPECT_EQ(model.isSearchActive(), std::string(c.query) != "") << c.query;
    }
}

TEST_F(ColorCardListModelTest, CardShowsHexRgbAndPercentFirstAlpha)
{
    model.startSearch(std::nullopt, ComponentSearchScope::project);
    const ResourceCard brand = model.cardAt(0);
    EXPECT_EQ(brand.name, QStringLiteral("brand"));
    EXPECT_EQ(brand.infoTexts, (QStringList{QStringLiteral("#ff8000"), QStringLiteral("Rgb 255 128 0"), QStringLiteral("%100")}));
    ASSERT_TRUE(brand.swatch.has_value());
    EXPECT_EQ(brand.swatch->red(), 255);
    EXPECT_EQ(model.cardAt(3).infoTexts.value(2), QStringLiteral("%50"));
    EXPECT_EQ(model.index(0, 0).data(ResourceCardListModel::SwatchRole).value<QColor>(), *brand.swatch);
}

TEST_F(ColorCardListModelTest, UpdateDuringSearchShowsTheEmptyResultUntilTheQueryChanges)
{
    model.startSearch(std::string("o"), ComponentSearchScope::screen);
    ASSERT_EQ(shownNames(model), (Names{"orange", "Shadow"}));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    model.update({color("brand", 1, 0.5, 0)}, {color("orange", 1, 0.5, 0)});
    EXPECT_EQ(resets.count(), 1);
    EXPECT_TRUE(model.isSearchActive());
    EXPECT_EQ(model.searchScope(), ComponentSearchScope::screen);
    EXPECT_TRUE(model.isEmpty());

    model.startSearch(std::string("or"), ComponentSearchScope::screen);
    EXPECT_EQ(shownNames(model), Names{"orange"});
}

TEST_F(ColorCardListModelTest, ClearingTheQueryShowsTheWholeScopeAndKeepsTheLastResult)
{
    model.startSearch(std::string("shad"), ComponentSearchScope::screen);
    model.startSearch(std::string(), ComponentSearchScope::screen);
    EXPECT_EQ(shownNames(model), (Names{"orange", "Shadow"}));
    ASSERT_TRUE(model.state().screenContainer());
    EXPECT_EQ(model.state().screenContainer()->filteredList.size(), 1u);
    // the other scope's container was never searched
    EXPECT_TRUE(model.state().projectContainer()->filteredList.empty());
}

TEST(ResourceCardListTest, BeforeAnyUpdateBothScopesAreEmpty)
{
    ColorCardListModel colors;
    TextStyleCardListModel styles;
    QAbstractItemModelTester colorTester(&colors, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const auto scope : {ComponentSearchScope::screen, ComponentSearchScope::project}) {
        colors.startSearch(std::string("a"), scope);
        styles.startSearch(std::nullopt, scope);
        EXPECT_TRUE(colors.isEmpty());
        EXPECT_TRUE(styles.isEmpty());
        EXPECT_EQ(colors.cardAt(0).name, QString());
    }
}

TEST(TextStyleCardListModelTest, SearchesFontNameThenStyleNameThenSize)
{
    TextStyleCardListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.update({font("System-Regular", "Body", "17.0"), font("Helvetica-Bold", "Title 17", "24.0"),
                  font("System-Bold", "Caption", "12.0"), font("Avenir", "Big", "170.0")},
                 {font("Avenir", "Body", "15.0")});
    const struct {
        const char* query;
        Names shown;
    } cases[] = {
        {"SYSTEM", {"Body", "Caption"}},
        {"17", {"Body", "Title 17", "Big"}},
        {".0", {"Body", "Title 17", "Caption", "Big"}},
        {"title", {"Title 17"}},
        {"mono", {}},
    };
    for (const auto& c : cases) {
        model.startSearch(std::string(c.query), ComponentSearchScope::project);
        EXPECT_EQ(shownNames(model), c.shown) << c.query;
    }
    model.startSearch(std::string("17"), ComponentSearchScope::screen);
    EXPECT_TRUE(model.isEmpty());
    model.startSearch(std::string(), ComponentSearchScope::screen);
    EXPECT_EQ(model.cardAt(0).infoTexts, QStringList{QStringLiteral("Avenir, 15.0")});
}

// A view asks for several roles of every card on each paint and repaints on every hover; the
// event of a colour out of the platform's range used to be recorded on each of those asks.
TEST(ColorCardEventTest, AnOutOfRangeColourIsReportedOncePerCardAndUpdateNotPerPaint)
{
    int events = 0;
    platform::EventSink::crashReports().setRecorder([&events](const boost::json::object&) { ++events; });
    // no model tester here: it reads the first card itself on every reset
    ColorCardListModel model;
    const auto screen =
        std::vector{color("hot", 256 / 255.0, 0, 0), color("fine", 1, 0, 0), color("hotter", 300 / 255.0, 0, 0)};
    auto paint = [&model] {
        for (int row = 0; row < model.rowCount(); ++row)
            for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole), int(ResourceCardListModel::SwatchRole)})
                for (int ask = 0; ask < 3; ++ask) (void)model.index(row, 0).data(role);
    };
    model.update({}, screen);
    paint();
    EXPECT_EQ(events, 2);
    // searches show the same entries' cards again
    for (const auto& query : {std::optional<std::string>("hot"), std::optional<std::string>()}) {
        model.startSearch(query, ComponentSearchScope::screen);
        paint();
    }
    EXPECT_EQ(events, 2);
    model.update({}, screen);
    paint();
    EXPECT_EQ(events, 4);
    platform::EventSink::crashReports().setRecorder(nullptr);
}

TEST(ResourceCardListTest, LongNamesReachTheCardsBoundedAndAreSearchedWhole)
{
    const std::string longName(1'000'000, 'n');
    const QString shown = QString(PageDisplayText::kMaxLength, QLatin1Char('n')) + QChar(0x2026);
    ColorCardListModel colors;
    colors.update({}, {color(longName, 1, 1, 1)});
    EXPECT_EQ(colors.index(0, 0).data(ResourceCardListModel::NameRole).toString(), shown);
    TextStyleCardListModel styles;
    styles.update({}, {font(longName, longName, "17.0")});
    EXPECT_EQ(styles.index(0, 0).data(Qt::ToolTipRole).toString(), shown + QStringLiteral(", 17.0"));
    styles.startSearch(std::string(1000, 'n'), ComponentSearchScope::screen); // past what a card shows
    EXPECT_EQ(styles.rowCount(), 1);
}

TEST(PageSearchTextTest, CaseAndCanonicalEquivalence)
{
    const struct {
        const char* text;
        const char* query;
        bool found;
    } cases[] = {
        {"UILabel", "LABEL", true},
        {"UILabel", "lab", true},
        {"UILabel", "lbl", false},
        {"Caf\u00e9 title", "CAFE\u0301", true},  // precomposed text, decomposed query
        {"Cafe\u0301", "caf\u00e9", true},        // decomposed text, precomposed query
        {"\u212Aelvin", "kel", true},             // the Kelvin sign lower-cases to k
        {"Kelvin", "\u212Ael", true},
        {"abc", "abcd", false},
        {"", "a", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageSearchText::Query(c.query).isFoundIn(c.text), c.found) << c.text << " / " << c.query;
}

} // namespace
