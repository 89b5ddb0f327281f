#include <gtest/gtest.h>

#include "FakeLayers.h"
#include "SxTool.h"

namespace
{
    std::shared_ptr<SxTool> makeTool()
    {
        const juce::Image picture (juce::Image::ARGB, 4, 4, true);
        return std::make_shared<SxTool> ("tool", picture, picture, picture);
    }

    RenderParameters paramsFor (SxImageRgbaBytes& input)
    {
        RenderParameters params;
        params.image = &input;
        return params;
    }

    struct ToolHost : public LayerCallback
    {
        SxTool* current = nullptr;
        int selections = 0;
        void selectTool (SxTool* tool) override { current = tool; ++selections; }
        SxTool* getSelectedTool() override { return current; }
    };
}

TEST (Layer, RendersOnceThenServesTheCacheUntilMarkedOrResized)
{
    CountingLayer layer;
    SxRef<SxImageRgbaBytes> small (new SxImageRgbaBytes (4, 3));
    SxRef<SxImageRgbaBytes> large (new SxImageRgbaBytes (5, 3));
    auto params = paramsFor (*small);

    auto* first = layer.getRenderedImage (params);
    EXPECT_EQ (layer.getRenderedImage (params), first);
    EXPECT_EQ (layer.renderCount, 1);
    EXPECT_FALSE (layer.needsRender());

    layer.setNeedsRender (true);
    layer.getRenderedImage (params);
    EXPECT_EQ (layer.renderCount, 2);

    auto largeParams = paramsFor (*large);
    auto* resized = layer.getRenderedImage (largeParams);
    EXPECT_EQ (layer.renderCount, 3);
    EXPECT_EQ (resized->width, 5);

    layer.releaseOutputImage();
    layer.getRenderedImage (largeParams);
    EXPECT_EQ (layer.renderCount, 4) << "a layer without output renders although not marked";
}

TEST (Layer, PrepareOutputImageReusesASameSizeImageWithoutClearing)
{
    CountingLayer layer;
    SxRef<SxImageRgbaBytes> input (new SxImageRgbaBytes (3, 2));
    auto params = paramsFor (*input);
    layer.prepareOutputImage (params);
    auto* output = layer.getOutputImage();
    output->fill (0x11223344u);
    layer.prepareOutputImage (params);
    EXPECT_EQ (layer.getOutputImage(), output);
    EXPECT_EQ (output->getPixel (2, 1), 0x11223344u);

    SxRef<SxImageRgbaBytes> other (new SxImageRgbaBytes (2, 2));
    auto otherParams = paramsFor (*other);
    layer.prepareAuxImage (otherParams);
    ASSERT_NE (layer.getAuxImage(), nullptr);
    EXPECT_EQ (layer.getAuxImage()->getPixel (1, 1), 0u);
    layer.dropCachedImages();
    EXPECT_EQ (layer.getAuxImage(), nullptr);
    EXPECT_EQ (layer.getOutputImage(), nullptr);
}

TEST (Layer, SettingsLoadWithTheirDefaults)
{
    struct Case { const char* name; std::vector<std::pair<const char*, const char*>> pairs; juce::String layerName; float opacity; bool visible; int mode; };
    const Case cases[] = {
        { "empty set", {}, "", 1.0f, true, 0 },
        { "hidden", { { "visible", "0" } }, "", 1.0f, false, 0 },
        { "visible 1", { { "visible", "1" } }, "", 1.0f, true, 0 },
        { "all keys", { { "layerName", "Sky" }, { "layerOpacity", "0.25" }, { "visible", "1" }, { "compositeMode", "3" } }, "Sky", 0.25f, true, 3 },
        { "empty name", { { "layerName", "" } }, "", 1.0f, true, 0 },
    };
    for (const auto& c : cases)
    {
        CountingLayer layer;
        layer.setName ("before");
        layer.setNeedsRender (false);
        SxPropertySet set;
        for (auto& [key, value] : c.pairs)
            set.setValue (key, value);
        layer.loadFromPropertySet (set, {});
        EXPECT_EQ (layer.getName(), c.layerName) << c.name;
        EXPECT_FLOAT_EQ (layer.getOpacity(), c.opacity) << c.name;
        EXPECT_EQ (layer.isVisible(), c.visible) << c.name;
        EXPECT_EQ (layer.getCompositeMode(), c.mode) << c.name;
        EXPECT_TRUE (layer.needsRender()) << c.name;
    }
}

TEST (Layer, SavesTheBaseKeysAndNamesItselfByShortNameWhenUnnamed)
{
    CountingLayer layer;
    EXPECT_EQ (layer.getLayerName(), "Counting");
    layer.setName ("Mine");
    layer.setOpacity (0.5f);
    layer.setVisible (false);
    layer.setCompositeMode (2);
    SxPropertySet set;
    layer.Layer::saveToPropertySet (set, {});
    EXPECT_EQ (set.getAllProperties().getAllKeys().joinIntoString (","), "layerName,layerOpacity,visible,compositeMode");
    EXPECT_EQ (set.getValue ("layerName"), "Mine");
    EXPECT_EQ (set.getValue ("layerOpacity"), "0.5");
    EXPECT_EQ (set.getValue ("visible"), "0");
    EXPECT_EQ (set.getValue ("compositeMode"), "2");
    EXPECT_EQ (layer.getLayerName(), "Mine");
}

TEST (Layer, ClassNamesDropTheLengthPrefixOfTheTypeName)
{
    const std::pair<const char*, const char*> cases[] = {
        { "5Layer", "Layer" },
        { "9ShortName", "ShortName" },                // 10 characters: one dropped
        { "16StaticImageLayer", "StaticImageLayer" },
        { "18StylizedWatercolor", "StylizedWatercolor" },
        { "", "" },
        { "7", "" },
    };
    for (auto& [typeName, expected] : cases)
        EXPECT_EQ (classNameFromTypeName (typeName), expected) << typeName;

    const juce::String longName (juce::String::repeatedString ("x", 100));
    EXPECT_EQ (classNameFromTypeName (("100" + longName).toRawUTF8()), longName);

    EXPECT_EQ (StaticImageLayer().getClassName(), "StaticImageLayer");
    EXPECT_EQ (CountingLayer().getClassName(), "CountingLayer");
    EXPECT_EQ (OtherLayer().getClassName(), "OtherLayer");
}

TEST (Layer, CopyFromTakesSettingsHostAndSubLayers)
{
    registerFakePrototypes();
    LayerManager manager;
    ToolHost host;

    CountingLayer source;
    source.setName ("Source");
    source.amount = 7;
    source.setCallback (&host);
    source.setManager (&manager);
    source.setSelected (true);

    CountingLayer copy;
    copy.copyFrom (source);
    EXPECT_EQ (copy.getName(), "Source");
    EXPECT_EQ (copy.amount, 7);
    EXPECT_EQ (copy.getCallback(), &host);
    EXPECT_EQ (copy.getManager(), &manager);
    EXPECT_FALSE (copy.isSelected());
    EXPECT_TRUE (copy.getSubLayers().empty());

    auto* sub = new OtherLayer();
    sub->amount = 9;
    source.addSubLayer (sub);
    CountingLayer withSub;
    withSub.addSubLayer (new CountingLayer());
    withSub.copyFrom (source);
    const auto subs = withSub.getSubLayers();
    ASSERT_EQ (subs.size(), 2u) << "existing sub-layers stay, copies follow";
    auto* copied = dynamic_cast<OtherLayer*> (subs[1]);
    ASSERT_NE (copied, nullptr);
    EXPECT_EQ (copied->amount, 9);
    EXPECT_EQ (copied->getParent(), &withSub);
    EXPECT_EQ (copied->getManager(), &manager);
}

TEST (Layer, SubLayerListsAndMarking)
{
    CountingLayer holder;
    auto* a = new CountingLayer();
    auto* b = new CountingLayer();
    auto* c = new CountingLayer();
    holder.addSubLayer (a);
    holder.addSubLayer (b);
    holder.insertSubLayer (c, 0);
    EXPECT_EQ (holder.getSubLayers(), (std::vector<Layer*> { a, c, b }));

    a->setNeedsRender (false);
    holder.setNeedsRender (true);
    EXPECT_TRUE (a->needsRender());

    holder.removeSubLayer (c);
    EXPECT_EQ (holder.getSubLayers(), (std::vector<Layer*> { a, b }));
    delete c; // handed back to the caller
}

TEST (Layer, ToolListRules)
{
    ToolHost host;
    CountingLayer layer;
    layer.setCallback (&host);
    auto first = makeTool();
    auto second = makeTool();

    layer.addTool (first, false);
    EXPECT_EQ (layer.getActiveTool(), nullptr);
    layer.addTool (second, true);
    EXPECT_EQ (layer.getActiveTool(), first.get()) << "the first tool, not the new one";

    layer.removeTool (first.get());
    EXPECT_EQ (layer.getActiveTool(), second.get());
    layer.removeTool (second.get());
    EXPECT_EQ (layer.getActiveTool(), nullptr);
    EXPECT_FALSE (layer.hasTools());

    layer.addTool (first, true);
    layer.setActiveTool (first.get());
    EXPECT_EQ (host.current, first.get());
    layer.setActiveTool (first.get());
    EXPECT_EQ (host.selections, 1) << "the host's current tool is not selected again";

    std::weak_ptr<SxTool> watch = first;
    first.reset();
    second.reset();
    layer.removeTools();
    EXPECT_EQ (host.current, nullptr) << "the host never keeps a deleted tool";
    EXPECT_TRUE (watch.expired());
    EXPECT_EQ (layer.getActiveTool(), nullptr);
}

TEST (Layer, ParameterChangesMarkThroughTheManager)
{
    TestStack stack (2);
    auto* lower = stack.effect (1);
    auto* upper = stack.effect (2);
    SxRef<SxImageRgbaBytes> result (stack.manager.renderStack (nullptr, false, true));

    const RectBounds area { 1.0f, 1.0f, 2.0f, 2.0f };
    lower->parametersChanged (&area);
    EXPECT_TRUE (lower->needsRender());
    EXPECT_TRUE (upper->needsRender());
    EXPECT_FALSE (stack.base->needsRender());
    EXPECT_EQ (stack.callback.renderRequests, 1);
    EXPECT_FALSE (stack.callback.lastAreaWasWhole);

    upper->parametersChanged (nullptr);
    EXPECT_EQ (stack.callback.renderRequests, 2);
    EXPECT_TRUE (stack.callback.lastAreaWasWhole);
}

TEST (Layer, TheSelectedControlTabIsTheLayersOwnUntilThePageIsChosenWithATab)
{
    struct SecondPageFirst : public CountingLayer
    {
        int getInitialControlTab() const override { return 1; }
    };

    SecondPageFirst layer;
    EXPECT_EQ (layer.getSelectedControlTab(), 1);
    layer.setSelectedControlTab (0);
    EXPECT_EQ (layer.getSelectedControlTab(), 0);
    layer.setSelectedControlTab (-1);
    EXPECT_EQ (layer.getSelectedControlTab(), 1);
}
