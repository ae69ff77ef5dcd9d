#include "CodeExport/ExportCodeModelsMapper.h"
#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/StringNamePicker.h"
#include "Editor/ViewInfoMapper.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

std::shared_ptr<ViewInfo> view(const std::string& json)
{
    auto v = std::make_shared<ViewInfo>();
    jsonmap::read(platform::parseJson(json).value_or(boost::json::value()), *v);
    return v;
}

std::vector<std::shared_ptr<VItemInfo>> mapped(const std::vector<std::shared_ptr<ViewInfo>>& views)
{
    auto colors = std::make_shared<ColorNamePicker>();
    colors->loadMap({});
    return ViewInfoMapper::map(views, colors, std::make_shared<FontNamePicker>(), std::make_shared<StringNamePicker>(),
                               std::make_shared<ClassNamePicker>());
}

std::vector<std::string> names(const std::optional<std::vector<std::string>>& list)
{
    return list.value_or(std::vector<std::string>{"<absent>"});
}

TEST(ViewInfoMapperTest, ViewIsMappedWithSharedRecords)
{
    const auto server = view(R"({"oid":"v1","layerName":"Title","varName":"titleLabel",
        "jsonString":"{\"_class\":\"text\",\"do_objectID\":\"D-1\",\"style\":{}}",
        "layout":{"x":10,"y":20,"width":100,"height":30},
        "overrides":[{"overrideName":"o","value":"Tap \"me\"","relatedLayerId":"L","relatedProperty":"stringValue"}],
        "style":{"classNameString":"UILabel","textAlignment":2,"imageName":"img","masterId":"M",
                 "backgroundColorModel":{"redF":1},"useExtraInfo":true,
                 "extraInfo":{"isImageView":true,"isCustomClass":true,"hasTitle":true,"oneItemFrame":{"width":7}}},
        "layoutInfo":{"parentName":"root","parentLayerId":"P","parentLayerDistance":3,"isParent":true,"isBelongToRow":true,
                      "constraints":[{"firstAttribute":"top","typeId":"top"},{"firstAttribute":"width","typeId":"width"}]}})");
    const auto items = mapped({server});
    ASSERT_EQ(items.size(), 1u);
    const VItemInfo& item = *items[0];
    EXPECT_EQ(item.oid, "v1");
    EXPECT_EQ(item.layerName, "Title");
    EXPECT_EQ(item.varName, "titleLabel");
    EXPECT_FALSE(item.customClassName);
    EXPECT_EQ(item.do_objectID, "D-1");
    EXPECT_EQ(item.jsonString, *server->jsonString);
    EXPECT_EQ(item.layout, server->layout); // the same frame object
    EXPECT_EQ(item.style->frame, server->style->frame);
    EXPECT_EQ(item.style->backgroundColorModel, server->style->backgroundColorModel);
    EXPECT_EQ(item.style->oneItemFrame, server->style->extraInfo->oneItemFrame);
    EXPECT_EQ(item.style->layerDict.at("do_objectID"), "D-1");
    EXPECT_EQ(item.style->textAlignmentS, ".center");
    EXPECT_EQ(item.style->programmingClass, ProgrammingClass::_label);
    EXPECT_TRUE(item.style->isImageView); // the extra info replaces the worked-out flags...
    EXPECT_TRUE(item.style->isCustomClass);
    EXPECT_TRUE(item.style->hasTitle);
    EXPECT_EQ(item.style->contentModeS, ""); // ...but the content mode is not recomputed
    EXPECT_EQ(item.style->imageName, "img");
    ASSERT_EQ(item.overrides.size(), 1u);
    EXPECT_EQ(item.overrides[0], item.style->overrides[0]); // one list of entries, shared
    EXPECT_EQ(item.overrides[0]->relatedLayerID, "L");
    EXPECT_EQ(item.overrides[0]->relatedPropertyS, "text");
    EXPECT_EQ(item.overrides[0]->valueS, R"("Tap \"me\"")");
    EXPECT_EQ(item.style->textKey, "Tap \"me\"");
    EXPECT_EQ(item.layoutInfo->parentName, "root");
    EXPECT_EQ(item.layoutInfo->parentLayerId, "P");
    EXPECT_EQ(item.layoutInfo->parentLayerDistance, 3);
    EXPECT_TRUE(item.layoutInfo->isParent && item.layoutInfo->isBelongToRow);
    ASSERT_EQ(item.layoutInfo->constraints.size(), 2u);
    EXPECT_EQ(item.layoutInfo->constraints[0]->attr1, "topAnchor");
    EXPECT_TRUE(item.layoutInfo->constraints[1]->isConstantConstraint);
    EXPECT_TRUE(item.delegates.empty());
    EXPECT_FALSE(item.registerItems);
    EXPECT_TRUE(item.prototypes.empty());

    const auto exported = ExportCodeModelsMapper::map(items);
    ASSERT_EQ(exported.size(), 1u);
    EXPECT_EQ(exported[0]->varName, "titleLabel");
    EXPECT_EQ(exported[0]->programmingClass, "_label");
    EXPECT_EQ(exported[0]->frame->width, 100);
    EXPECT_TRUE(exported[0]->style->hasBackgroundColor);
    EXPECT_EQ(exported[0]->style->textAlignmentS, ".center");
    ASSERT_EQ(exported[0]->constraints.size(), 2u);
    EXPECT_EQ(exported[0]->constraints[1]->attribute1Str, "width");
    EXPECT_EQ(exported[0]->constraints[1]->priority, "none");
}

TEST(ViewInfoMapperTest, LayerTextThatIsMissingOrHostile)
{
    for (const char* json : {R"({"style":{"extraInfo":{"isImageView":true},"useExtraInfo":true}})",
                             R"({"jsonString":"{\"do_objectID\":", "style":{"extraInfo":{"isImageView":true},"useExtraInfo":true}})",
                             R"({"jsonString":"[1,2]", "style":{"extraInfo":{"isImageView":true},"useExtraInfo":true}})"}) {
        const auto item = mapped({view(json)})[0];
        EXPECT_TRUE(item->style->layerDict.empty()) << json;
        EXPECT_EQ(item->do_objectID, "");
        EXPECT_TRUE(item->style->isImageView); // only through the extra info
    }
    const auto unused = mapped({view(R"({"style":{"extraInfo":{"isImageView":true},"useExtraInfo":false}})")})[0];
    EXPECT_FALSE(unused->style->isImageView);
    EXPECT_TRUE(mapped({}).empty());
    EXPECT_EQ(mapped({nullptr}).size(), 1u); // a missing record maps as an empty one
}

TEST(ViewInfoMapperTest, ListViewCustomisation)
{
    const struct {
        const char* what;
        const char* customizedInfo;
        std::vector<std::string> registerItems;
        std::vector<std::string> delegates; // name and its registered cells
        std::vector<std::string> prototypes;
    } cases[] = {
        {"none", "null", {"<absent>"}, {}, {}},
        {"delegate only", R"({"delegations":[{"key":"delegate","programmingClass":"X"}]})", {"<absent>"}, {}, {}},
        {"datasource without prototypes", R"({"delegations":[{"key":"datasource","programmingClass":"DS"}]})",
         {"<absent>"}, {"DS:<absent>"}, {}},
        {"empty prototypes", R"({"delegations":[{"key":"datasource","programmingClass":"DS"}],"prototypes":[]})",
         {}, {"DS:"}, {}},
        {"two cells and a repeat",
         R"({"delegations":[{"key":"Datasource"},{"key":"datasource","programmingClass":"DS"}],
             "prototypes":[{"customClass":"A","items":[{"varName":"a1"}]},{"customClass":"B"},
                           {"customClass":"A","items":[{"varName":"second"}]}]})",
         {"A", "B", "A"}, {"DS:A0f,B1,A2l"}, {"A:a1", "B:"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto item = mapped({view(std::string(R"({"customizedInfo":)") + c.customizedInfo + "}")})[0];
        EXPECT_EQ(names(item->registerItems), c.registerItems);
        std::vector<std::string> delegates;
        for (const auto& d : item->delegates) {
            std::string text = d->name + ":";
            if (!d->registerItems) text += "<absent>";
            for (const auto& r : d->registerItems.value_or(std::vector<std::shared_ptr<RegisterItemInfo>>{})) {
                if (r->index > 0) text += ",";
                text += r->name + std::to_string(r->index) + (r->isFirst ? "f" : "") + (r->isLast ? "l" : "");
            }
            delegates.push_back(text);
        }
        EXPECT_EQ(delegates, c.delegates);
        std::vector<std::string> prototypes;
        for (const auto& [name, model] : item->prototypes) {
            std::string text = name + ":";
            for (const auto& i : model->items) text += i->varName;
            prototypes.push_back(text);
        }
        EXPECT_EQ(prototypes, c.prototypes); // the first cell of a class name is kept
    }
}

TEST(ViewInfoMapperTest, RepeatedPrototypeIsLoggedAndCellFrameCopied)
{
    QStringList lines;
    platform::setDebugCapture([&](const QString& line) { lines << line; });
    const auto item = mapped({view(R"({"customizedInfo":{"prototypes":[
        {"customClass":"Cell","frame":{"x":1,"y":2,"width":3,"height":4}},{"customClass":"Cell"}]}})")})[0];
    platform::setDebugCapture(nullptr);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("Cell")));
    const auto* cell = item->prototypes.find("Cell");
    ASSERT_TRUE(cell);
    EXPECT_EQ((*cell)->frame->x, 1);
    EXPECT_EQ((*cell)->frame->height, 4);
}

TEST(ViewInfoMapperTest, PrototypesBuiltInCodeAreBoundedToo)
{
    // A chain of cells deeper than any reply could carry, made without the decoder's bound.
    auto root = std::make_shared<ViewInfo>();
    auto current = root;
    for (int i = 0; i < 400; ++i) {
        auto next = std::make_shared<ViewInfo>();
        auto cell = std::make_shared<CustomItemViewInfoModel>();
        cell->customClass = "C" + std::to_string(i);
        cell->items = {next};
        current->customizedInfo = std::make_shared<CustomizedInfo>();
        current->customizedInfo->prototypes.emplace({cell});
        current = next;
    }
    QStringList lines;
    platform::setDebugCapture([&](const QString& line) { lines << line; });
    const auto item = mapped({root})[0];
    platform::setDebugCapture(nullptr);
    EXPECT_EQ(lines, QStringList{QStringLiteral("Prototype cells nested deeper than the supported depth are dropped")});
    EXPECT_EQ(names(item->registerItems), std::vector<std::string>{"C0"});
    EXPECT_EQ(jsonmap::NestingGuard::depth(), 0);
}

} // namespace
