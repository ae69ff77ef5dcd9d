#include "Editor/ui/EditorTestKit.h"

#include "App/ui/NoDataView.h"
#include "App/ui/SearchableListHeader.h"
#include "Editor/Pages/ColorCardListModel.h"
#include "Editor/Pages/TextStyleCardListModel.h"
#include "Editor/Pages/ui/ColorsViewController.h"
#include "Editor/Pages/ui/ImagesViewController.h"
#include "Editor/Pages/ui/ResourceCardDelegate.h"
#include "Editor/Pages/ui/TextStylesViewController.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"
#include "Projects/ui/SideMenuViewController.h"
#include "platform/DebugLog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::shared_ptr<ColorModel> color(const std::string& name, double red, double green, double blue, double alpha = 1.0)
{
    return std::make_shared<ColorModel>(name, alpha, static_cast<std::int64_t>(alpha * 100), red * 255, blue * 255,
                                        green * 255, "", "", "", "", red, green, blue, alpha);
}

std::shared_ptr<FontModel> font(const std::string& name, const std::string& styleName, const std::string& sizeS)
{
    auto model = std::make_shared<FontModel>();
    model->name = name;
    model->textStyleName = styleName;
    model->sizeS = sizeS;
    return model;
}

// What the user sees on a card page: the cards' texts, or the empty state's title.
std::vector<std::string> shown(const ResourceCardsPage& page)
{
    std::vector<std::string> lines;
    if (!page.collectionView()->isVisibleTo(&page)) {
        if (page.noDataView() && page.noDataView()->isVisibleTo(&page))
            lines.push_back("empty " + page.noDataView()->titleLabel()->text().toStdString());
        return lines;
    }
    const QAbstractItemModel* model = page.collectionView()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        lines.push_back(index.data(ResourceCardListModel::NameRole).toString().toStdString() + " | " +
                        index.data(ResourceCardListModel::InfoTextsRole).toStringList().join(QStringLiteral(" | ")).toStdString());
    }
    return lines;
}

using Lines = std::vector<std::string>;

void typeQuery(ResourceCardsPage& page, const QString& text)
{
    QLineEdit* field = page.header()->searchField();
    field->selectAll();
    if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Backspace);
    else QTest::keyClicks(field, text);
}

void chooseScope(ResourceCardsPage& page, int segment)
{
    QTest::mouseClick(page.header()->scopeButtons().at(static_cast<std::size_t>(segment)), Qt::LeftButton);
}

TEST(ColorsPageTest, ScopeSearchAndEmptyStateAsTheUserSeesThem)
{
    std::unique_ptr<ColorsViewController> page(ColorsViewController::instantiate());
    page->resize(300, 600);
    page->show();
    EXPECT_EQ(shown(*page), Lines{"empty Color List"});
    EXPECT_EQ(page->noDataView()->infoLabel()->text(),
              QStringLiteral("When you upload your design artboard, your colors in the design will be listed here."));
    EXPECT_EQ(page->header()->headerLabel()->text(), QStringLiteral("Colors"));
    ASSERT_EQ(page->header()->scopeButtons().size(), 2u);
    EXPECT_EQ(page->header()->scopeButtons()[0]->text(), QStringLiteral("Screen"));
    EXPECT_EQ(page->header()->scopeButtons()[1]->text(), QStringLiteral("All Project"));
    EXPECT_FALSE(page->header()->rightActionButton()->isVisibleTo(page.get()));

    page->update({color("brand", 1, 0.5, 0), color("ink", 0, 0, 0)}, {color("orange", 1, 0.5, 0)});
    EXPECT_EQ(shown(*page), Lines{"orange | #ff8000 | Rgb 255 128 0 | %100"});

    // the segments and the field drive the list's scope and search
    chooseScope(*page, 1);
    typeQuery(*page, QStringLiteral("#00"));
    EXPECT_EQ(shown(*page), Lines{"ink | #000000 | Rgb 0 0 0 | %100"});
    typeQuery(*page, QStringLiteral("teal"));
    EXPECT_EQ(shown(*page), Lines{"empty Color List"});
    chooseScope(*page, 0);
    typeQuery(*page, QStringLiteral("ORA"));
    EXPECT_EQ(shown(*page), Lines{"orange | #ff8000 | Rgb 255 128 0 | %100"});

    // a new detail during a search: the new containers have no result yet
    page->update({color("brand", 1, 0.5, 0)}, {color("orange", 1, 0.5, 0)});
    EXPECT_EQ(shown(*page), Lines{"empty Color List"});
    typeQuery(*page, QString());
    EXPECT_EQ(shown(*page), Lines{"orange | #ff8000 | Rgb 255 128 0 | %100"});
    EXPECT_EQ(page->collectionView()->sizeHintForIndex(page->collectionView()->model()->index(0, 0)).height(), 64);
}

TEST(ColorsPageTest, SelectingACardOnlyPrintsItsIndexPath)
{
    std::unique_ptr<ColorsViewController> page(ColorsViewController::instantiate());
    page->resize(300, 600);
    page->show();
    page->update({}, {color("orange", 1, 0.5, 0), color("ink", 0, 0, 0)});
    QStringList lines;
    platform::setDebugCapture([&lines](const QString& line) { lines << line; });
    QListView* grid = page->collectionView();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(grid->model()->index(1, 0)).center());
    platform::setDebugCapture(nullptr);
    EXPECT_EQ(lines, QStringList{QStringLiteral("[0, 1]")});
    EXPECT_EQ(shown(*page).size(), 2u);
}

// Where the grid's delegate puts the texts of a row's card, as it paints them.
ResourceCardDelegate::CardLayout cardLayoutOf(const QListView& grid, int row)
{
    QStyleOptionViewItem option;
    option.initFrom(grid.viewport());
    option.font = grid.font();
    option.rect = grid.visualRect(grid.model()->index(row, 0));
    return qobject_cast<ResourceCardDelegate*>(grid.itemDelegate())->cardLayout(option, grid.model()->index(row, 0));
}

// The hex, RGB and alpha texts used to share one line and were cut at the default font; a white
// or transparent swatch vanished into the white card.
TEST(ColorsPageTest, CardsShowEachTextWholeOnItsLineAndTheEdgeOfPaleSwatches)
{
    std::unique_ptr<ColorsViewController> page(ColorsViewController::instantiate());
    page->resize(300, 600);
    page->show();
    page->update({}, {color("white", 1, 1, 1), color("clear", 1, 1, 1, 0), color("mist", 1, 1, 1, 0.5)});
    QApplication::processEvents();
    QListView* grid = page->collectionView();
    auto* delegate = qobject_cast<ResourceCardDelegate*>(grid->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    Lines lines;
    for (const auto& text : cardLayoutOf(*grid, 2).texts) {
        lines.push_back(text.text.toStdString());
        QFont font = grid->font();
        font.setBold(text.bold);
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(text.text), text.rect.width()) << lines.back();
    }
    EXPECT_EQ(lines, (Lines{"mist", "#80ffffff", "%50", "Rgb 255 255 255"}));

    const QImage shot = grid->viewport()->grab().toImage();
    for (const int row : {0, 1}) {
        const QRect swatch = cardLayoutOf(*grid, row).picture;
        const QColor inside = shot.pixelColor(swatch.center());
        EXPECT_EQ(inside, QColor(Qt::white)) << row;
        EXPECT_LT(shot.pixelColor(swatch.left(), swatch.center().y()).lightness(), inside.lightness() - 30) << row;
    }
}

// In the project window at its default size the colours pane was narrower than a card: the alpha
// was cut to "..." on most cards, and beside the scroll bar of a long list the RGB values too.
class ColourCardsInTheWindowTest : public editortest::EditorTest {};

TEST_F(ColourCardsInTheWindowTest, AtTheDefaultWindowSizeOnlyTheNamesOfCardsAreCut)
{
    // the widest texts: "Rgb 255 255 255" with "%100", and the hex of a translucent colour
    const std::vector<std::shared_ptr<ColorModel>> screenColours{
        color("white", 1, 1, 1), color("mist", 1, 1, 1, 0.5),
        color("primaryBackgroundColorOfTheSettingsScreen", 1, 1, 1)};
    std::vector<std::shared_ptr<ColorModel>> projectColours{color("white", 1, 1, 1)};
    for (int i = 0; i < 24; ++i)
        projectColours.push_back(color("secondaryTextColorOfDisabledButtons" + std::to_string(i), 1, 1, 1));
    boost::json::object reply = editortest::detailReply();
    reply["screenColors"] = jsonmap::write(screenColours);
    reply["colors"] = jsonmap::write(projectColours);
    startService(boost::json::serialize(boost::json::array{editortest::scripted("main/detailInfo", reply),
                                                           editortest::noPreviews()}));
    ASSERT_TRUE(signInDemoUser());
    window = new ProjectMainWindowController;
    const QSize defaultSize = window->size();
    window->bringToFront();
    window->resize(defaultSize); // the headless screen is smaller than the window
    editor = window->openScreen(editortest::project(), "artboard-1");
    ASSERT_TRUE(windowtest::waitUntil([this] { return editor && editor->response; }));

    SideMenuViewController* side = window->mainViewController()->sideMenu();
    QTest::mouseClick(side->itemsViewController()->button(SideMenuContentType::colors), Qt::LeftButton);
    auto* page = qobject_cast<ColorsViewController*>(side->contentViewController()->getActiveVC());
    ASSERT_NE(page, nullptr);
    QListView* grid = page->collectionView();
    const auto* delegate = qobject_cast<ResourceCardDelegate*>(grid->itemDelegate());
    for (const int scope : {0, 1}) {
        chooseScope(*page, scope);
        // the long project list scrolls, which takes the scroll bar's width from the cards
        ASSERT_TRUE(windowtest::waitUntil([&] { return grid->verticalScrollBar()->isVisible() == (scope == 1); }));
        if (scope == 0) {
            EXPECT_EQ(delegate->cardWidth(), ResourceCardDelegate::kCardWidth) << "no scroll bar: whole cards";
        }
        ASSERT_EQ(grid->model()->rowCount(), static_cast<int>(scope == 0 ? screenColours.size() : projectColours.size()));
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            const QModelIndex index = grid->model()->index(row, 0);
            const QRect card(grid->visualRect(index).topLeft(), QSize(delegate->cardWidth(), 64));
            const auto texts = cardLayoutOf(*grid, row).texts;
            for (const QString& info : index.data(ResourceCardListModel::InfoTextsRole).toStringList()) {
                const auto shown = std::ranges::find(texts, info, &ResourceCardDelegate::CardLayout::Text::text);
                ASSERT_TRUE(shown != texts.end()) << scope << " " << row << " " << info.toStdString();
                EXPECT_TRUE(card.contains(shown->rect)) << scope << " " << row << " " << info.toStdString();
            }
        }
    }
}

TEST(TextStylesPageTest, CardsShowStyleNameAndFontWithSize)
{
    std::unique_ptr<TextStylesViewController> page(TextStylesViewController::instantiate());
    page->show();
    EXPECT_EQ(shown(*page), Lines{"empty Text Style List"});
    EXPECT_EQ(page->header()->headerLabel()->text(), QStringLiteral("Text Styles"));
    page->update({font("System-Regular", "Body", "17.0")}, {font("System-Bold", "Caption", "12.0")});
    EXPECT_EQ(shown(*page), Lines{"Caption | System-Bold, 12.0"});
    chooseScope(*page, 1);
    EXPECT_EQ(shown(*page), Lines{"Body | System-Regular, 17.0"});
}

TEST(ResourcePagesTest, InTheSideMenuThePageNarrowsThePaneAndClosesIt)
{
    std::unique_ptr<SideMenuViewController> side(SideMenuViewController::instantiate());
    auto* content = side->contentViewController();
    ASSERT_NE(content, nullptr);
    side->show();
    for (const auto type : {SideMenuContentType::colors, SideMenuContentType::textStyles}) {
        content->open(type);
        auto* page = qobject_cast<ResourceCardsPage*>(content->getActiveVC());
        ASSERT_NE(page, nullptr);
        content->setMaximumWidth(800);
        page->hide();
        page->show();
        EXPECT_EQ(content->maximumWidth(), SideMenuViewController::SIDE_MENU_CONTENT_MAX_WIDTH);
        side->openMenuContent();
        QTest::mouseClick(page->header()->closeButton(), Qt::LeftButton);
        EXPECT_TRUE(side->isMenuContentCollapsed());
        side->openMenuContent();
    }
    // the images page is a tab with nothing on it
    auto* images = qobject_cast<ImagesViewController*>(content->getVC(SideMenuContentType::images));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->palette().color(QPalette::Window), QColor(Qt::red));
}

} // namespace
