// The save panel on screen: its real controls driven through the window, as a user would.

#include "HostedTest.h"
#include "ImageSaveSheet.h"
#include "PlatformPaths.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace
{
    using Type = ImageSavePanel::ImageType;
    using Answer = std::optional<ImageSavePanel::Result>;

    class ImageSaveSheetTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            folder = temp.get().getChildFile ("Paintings");
            ASSERT_TRUE (folder.createDirectory().wasOk());
        }

        void TearDown() override
        {
            if (auto* open = ImageSaveSheet::findIn (host))
                open->cancel();
            HostedTest::TearDown();
        }

        /** Shows the panel for an opened image's name over the host window. */
        ImageSaveSheet& show (const juce::String& openedName)
        {
            ImageSavePanel panel;
            panel.setDirectoryURL (folder);
            panel.setNameFieldStringValue (openedName);
            panel.beginSheetModalForWindow (host, [this] (Answer answer)
            {
                answers.push_back (std::move (answer));
            });
            sxgui::drainMessages();
            auto* sheet = ImageSaveSheet::findIn (host);
            EXPECT_NE (sheet, nullptr);
            return *sheet;
        }

        /** Picks a format from the pop-up with the keyboard, as a user would after clicking it. */
        void chooseFormat (ImageSaveSheet& sheet, Type type)
        {
            auto& box = sheet.getAccessory().getFileTypes();
            input.click (box);
            sxgui::drainMessages();
            const auto steps = (int) type - box.getSelectedItemIndex();
            for (int i = 0; i < std::abs (steps); ++i)
                input.pressKey (juce::KeyPress (steps > 0 ? juce::KeyPress::downKey : juce::KeyPress::upKey));
            input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));
            sxgui::drainMessages();
        }

        void type (const juce::String& text)
        {
            for (auto c : text)
                input.pressKey (juce::KeyPress ((int) c, {}, c));
            sxgui::drainMessages();
        }

        void selectAllOfTheName()
        {
            input.pressKey (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 'a'));
        }

        sxtest::TempFolder temp;
        juce::File folder;
        std::vector<Answer> answers;
    };
}

TEST_F (ImageSaveSheetTest, ItOpensWithTheOfferedNameJpegAt80AndItsFolder)
{
    auto& sheet = show ("photo.NEF");
    EXPECT_TRUE (sheet.isShowing());
    EXPECT_TRUE (sheet.isCurrentlyModal());
    EXPECT_EQ (sheet.getBounds(), host.getLocalBounds());
    EXPECT_EQ (sheet.getPanel().getTitle(), "Save Image");

    EXPECT_EQ (sheet.getNameField().getText(), "photo.jpg");
    EXPECT_EQ (sheet.getBrowser().getRoot(), folder);
    auto& accessory = sheet.getAccessory();
    EXPECT_EQ (accessory.getFileTypes().getText(), "JPEG");
    EXPECT_EQ (accessory.getFileTypes().getNumItems(), 4);
    EXPECT_EQ (accessory.getQualitySlider().getValue(), 80.0);
    EXPECT_EQ (accessory.getQualitySlider().getMinimum(), 0.0);
    EXPECT_EQ (accessory.getQualitySlider().getMaximum(), 100.0);
    EXPECT_TRUE (accessory.getQualitySlider().isShowing());
    EXPECT_EQ (accessory.getLeastLabel().getText(), "Least");
    EXPECT_EQ (accessory.getBestLabel().getText(), "Best");
    EXPECT_EQ (accessory.getQualityLabel().getText(), "Quality");
    EXPECT_EQ (accessory.getBounds().getWidth(), ImageSaveAccessory::width);

    // Eleven ticks, evenly spread from one end of the track to the other.
    auto& slider = accessory.getQualitySlider();
    EXPECT_FLOAT_EQ (slider.getTickPosition (0), (float) slider.getPositionOfValue (0.0));
    EXPECT_FLOAT_EQ (slider.getTickPosition (ImageQualitySlider::tickCount - 1), (float) slider.getPositionOfValue (100.0));
    EXPECT_NEAR (slider.getTickPosition (5), (float) slider.getPositionOfValue (50.0), 0.01f);

    // The name without its extension is selected and has the keyboard.
    EXPECT_TRUE (sheet.getNameField().hasKeyboardFocus (false));
    EXPECT_EQ (sheet.getNameField().getHighlightedText(), "photo");

    // The window behind takes no clicks while the sheet is up.
    input.click (host.getToolbarButton (1));
    EXPECT_TRUE (host.toolbarClicks.isEmpty());
    EXPECT_TRUE (answers.empty());
}

TEST_F (ImageSaveSheetTest, TheFormatPopUpRenamesTheExtensionAndShowsOrHidesTheQualityRow)
{
    auto& sheet = show ("photo.NEF");
    auto& accessory = sheet.getAccessory();

    struct Step
    {
        Type chosen;
        const char* name;
        bool qualityShown;
        const char* bestLabel;
    };
    const Step steps[] = {
        { Type::png,      "photo.png",  false, nullptr },
        { Type::jpeg2000, "photo.jp2",  true,  "Lossless" },
        { Type::tiff,     "photo.tiff", false, nullptr },
        { Type::jpeg,     "photo.jpg",  true,  "Best" },
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE (step.name);
        chooseFormat (sheet, step.chosen);
        EXPECT_EQ (accessory.getFileTypes().getSelectedItemIndex(), (int) step.chosen);
        EXPECT_EQ (sheet.getNameField().getText(), step.name);
        for (juce::Component* row : { (juce::Component*) &accessory.getQualitySlider(), (juce::Component*) &accessory.getQualityLabel(),
                                      (juce::Component*) &accessory.getLeastLabel(), (juce::Component*) &accessory.getBestLabel() })
            EXPECT_EQ (row->isVisible(), step.qualityShown) << row->getName();
        if (step.bestLabel != nullptr)
        {
            EXPECT_EQ (accessory.getBestLabel().getText(), step.bestLabel);
        }
    }
    EXPECT_TRUE (answers.empty());
}

TEST_F (ImageSaveSheetTest, ANameTypedWithoutExtensionKeepsNoneAndATypedExtensionPicksItsFormat)
{
    auto& sheet = show ("picture.jpeg");
    EXPECT_EQ (sheet.getNameField().getText(), "picture.jpg");

    selectAllOfTheName();
    type ("evening");
    EXPECT_EQ (sheet.getNameField().getText(), "evening");
    chooseFormat (sheet, Type::png);
    EXPECT_EQ (sheet.getNameField().getText(), "evening");
    chooseFormat (sheet, Type::jpeg2000);
    EXPECT_EQ (sheet.getNameField().getText(), "evening");

    // Back in the name field (a click selects it all): typed at its end.
    input.click (sheet.getNameField());
    input.pressKey (juce::KeyPress (juce::KeyPress::endKey));
    type (".tif");
    EXPECT_EQ (sheet.getNameField().getText(), "evening.tif");
    EXPECT_EQ (sheet.getAccessory().getFileTypes().getText(), "TIFF");
    EXPECT_FALSE (sheet.getAccessory().getQualitySlider().isVisible());

    // An empty name cannot be saved.
    selectAllOfTheName();
    input.pressKey (juce::KeyPress (juce::KeyPress::backspaceKey));
    sxgui::drainMessages();
    EXPECT_FALSE (sheet.getSaveButton().isEnabled());
    input.click (sheet.getSaveButton());
    sxgui::drainMessages();
    EXPECT_TRUE (answers.empty());
}

TEST_F (ImageSaveSheetTest, SaveAnswersWithTheFileTypeAndQualityChosen)
{
    auto& sheet = show ("photo.NEF");
    chooseFormat (sheet, Type::jpeg2000);

    auto& slider = sheet.getAccessory().getQualitySlider();
    const auto x = juce::roundToInt (slider.getPositionOfValue (40.0));
    input.click (slider, { x, slider.getHeight() / 2 });
    sxgui::drainMessages();
    EXPECT_NEAR (slider.getValue(), 40.0, 1.0);
    const auto quality = (int) slider.getValue();

    input.click (sheet.getSaveButton());
    sxgui::drainMessages();

    ASSERT_EQ (answers.size(), 1u);
    ASSERT_TRUE (answers[0].has_value());
    EXPECT_EQ (answers[0]->file, folder.getChildFile ("photo.jp2"));
    EXPECT_EQ (answers[0]->type, Type::jpeg2000);
    EXPECT_EQ (answers[0]->quality, quality);
    EXPECT_EQ (ImageSaveSheet::findIn (host), nullptr);
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
}

TEST_F (ImageSaveSheetTest, ReturnInTheNameFieldSavesAndEscapeOrCancelAnswerNothing)
{
    show ("scan.tif");
    input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    sxgui::drainMessages();
    ASSERT_EQ (answers.size(), 1u);
    ASSERT_TRUE (answers[0].has_value());
    EXPECT_EQ (answers[0]->file, folder.getChildFile ("scan.tiff"));
    EXPECT_EQ (answers[0]->type, Type::tiff);

    show ("scan.tif");
    input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    sxgui::drainMessages();
    ASSERT_EQ (answers.size(), 2u);
    EXPECT_FALSE (answers[1].has_value());

    auto& sheet = show ("scan.tif");
    input.click (sheet.getCancelButton());
    sxgui::drainMessages();
    ASSERT_EQ (answers.size(), 3u);
    EXPECT_FALSE (answers[2].has_value());
    EXPECT_EQ (ImageSaveSheet::findIn (host), nullptr);
}

TEST_F (ImageSaveSheetTest, AnExistingFileIsReplacedOnlyAfterAsking)
{
    const auto existing = folder.getChildFile ("photo.jpg");
    ASSERT_TRUE (existing.replaceWithText ("an older painting"));

    auto& sheet = show ("photo.NEF");
    auto& prompt = sheet.getReplacePrompt();
    input.click (sheet.getSaveButton());
    sxgui::drainMessages();
    ASSERT_TRUE (prompt.isShowing());
    EXPECT_TRUE (prompt.getQuestion().contains ("photo.jpg")) << prompt.getQuestion();
    EXPECT_TRUE (prompt.getQuestion().contains ("replace")) << prompt.getQuestion();
    EXPECT_TRUE (answers.empty());

    // The prompt holds the sheet: its Cancel keeps the file and the sheet stays.
    input.click (prompt.getKeepButton());
    sxgui::drainMessages();
    EXPECT_FALSE (prompt.isVisible());
    EXPECT_TRUE (sheet.isShowing());
    EXPECT_TRUE (answers.empty());

    // Escape at the prompt is its Cancel, not the sheet's.
    input.click (sheet.getSaveButton());
    sxgui::drainMessages();
    ASSERT_TRUE (prompt.isShowing());
    input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    sxgui::drainMessages();
    EXPECT_FALSE (prompt.isVisible());
    EXPECT_TRUE (answers.empty());

    input.click (sheet.getSaveButton());
    sxgui::drainMessages();
    input.click (prompt.getReplaceButton());
    sxgui::drainMessages();
    ASSERT_EQ (answers.size(), 1u);
    ASSERT_TRUE (answers[0].has_value());
    EXPECT_EQ (answers[0]->file, existing);
    EXPECT_EQ (existing.loadFileAsString(), "an older painting");   // the panel writes nothing
}

TEST_F (ImageSaveSheetTest, AFolderNamedInTheNameFieldIsOpened)
{
    ASSERT_TRUE (folder.getChildFile ("Autumn").createDirectory().wasOk());
    auto& sheet = show ("photo.NEF");
    selectAllOfTheName();
    type ("Autumn");
    input.click (sheet.getSaveButton());
    sxgui::drainMessages();
    EXPECT_TRUE (answers.empty());
    EXPECT_EQ (sheet.getBrowser().getRoot(), folder.getChildFile ("Autumn"));
}

TEST_F (ImageSaveSheetTest, AFolderThatIsGoneOpensThePicturesFolder)
{
    ImageSavePanel panel;
    panel.setDirectoryURL (folder.getChildFile ("missing"));
    panel.setNameFieldStringValue ("photo.png");
    panel.beginSheetModalForWindow (host, [this] (Answer answer) { answers.push_back (std::move (answer)); });
    auto* sheet = ImageSaveSheet::findIn (host);
    ASSERT_NE (sheet, nullptr);
    EXPECT_EQ (sheet->getBrowser().getRoot(), PlatformPaths::getUserPicturesFolder());
}

TEST_F (ImageSaveSheetTest, RunModalWaitsForTheAnswer)
{
    ImageSavePanel panel;
    panel.setDirectoryURL (folder);
    panel.setNameFieldStringValue ("photo.PNG");
    juce::MessageManager::callAsync ([this]
    {
        if (auto* sheet = ImageSaveSheet::findIn (host))
            sheet->save();
    });
    const auto answer = panel.runModal (host);
    ASSERT_TRUE (answer.has_value());
    EXPECT_EQ (answer->file, folder.getChildFile ("photo.png"));
    EXPECT_EQ (answer->type, Type::png);
}

TEST (ImageSaveSheet, AWindowThatGoesTakesItsSheetAndAnswersNothing)
{
    std::vector<Answer> answers;
    {
        auto window = std::make_unique<juce::Component>();
        window->setSize (800, 600);
        ImageSavePanel panel;
        panel.setNameFieldStringValue ("photo.jpg");
        panel.beginSheetModalForWindow (*window, [&] (Answer answer) { answers.push_back (std::move (answer)); });
        ASSERT_NE (ImageSaveSheet::findIn (*window), nullptr);
        window.reset();
    }
    sxgui::drainMessages();
    ASSERT_EQ (answers.size(), 1u);
    EXPECT_FALSE (answers[0].has_value());
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
}

TEST (ImageSaveSheet, ARunnerAnswersInsteadOfTheSheetWithThePanelConfigured)
{
    juce::Component window;
    window.setSize (800, 600);
    juce::StringArray seen;
    ImageSavePanel::setRunner ([&] (ImageSavePanel& panel) -> Answer
    {
        seen.add (panel.getNameFieldStringValue());
        panel.fileTypeChanged (Type::png);
        seen.add (panel.getNameFieldStringValue());
        return panel.resultIn (juce::File ("/tmp/chosen"));
    });

    ImageSavePanel panel;
    panel.setNameFieldStringValue ("photo.NEF");
    std::vector<Answer> answers;
    panel.beginSheetModalForWindow (window, [&] (Answer answer) { answers.push_back (std::move (answer)); });
    EXPECT_EQ (ImageSaveSheet::findIn (window), nullptr);
    EXPECT_TRUE (answers.empty());   // the handler runs from the message loop, as after a sheet
    sxgui::drainMessages();
    ImageSavePanel::setRunner ({});

    EXPECT_EQ (seen, juce::StringArray ({ "photo.jpg", "photo.png" }));
    ASSERT_EQ (answers.size(), 1u);
    ASSERT_TRUE (answers[0].has_value());
    EXPECT_EQ (answers[0]->file, juce::File ("/tmp/chosen/photo.png"));
    EXPECT_EQ (answers[0]->type, Type::png);
}

TEST_F (ImageSaveSheetTest, ADocumentIsSavedWithoutTheFormatRowAmongFilesOfItsKindOnly)
{
    ImageSavePanel panel;
    panel.setTitle ("Save Project");
    panel.setDocumentExtension ("kvp");
    panel.setDirectoryURL (folder);
    panel.setNameFieldStringValue ("Project.kvp");
    panel.beginSheetModalForWindow (host, [this] (Answer answer) { answers.push_back (std::move (answer)); });
    sxgui::drainMessages();
    auto* sheet = ImageSaveSheet::findIn (host);
    ASSERT_NE (sheet, nullptr);

    EXPECT_EQ (sheet->getNameField().getText(), "Project.kvp");
    EXPECT_FALSE (sheet->getAccessory().isVisible());
    // The browser takes the room the format row would have had.
    EXPECT_GT (sheet->getBrowser().getBottom(), sheet->getDialogBounds().getBottom() - 80);

    selectAllOfTheName();
    type ("Evening");
    input.click (sheet->getSaveButton());
    sxgui::drainMessages();
    ASSERT_EQ (answers.size(), 1u);
    ASSERT_TRUE (answers[0].has_value());
    EXPECT_EQ (answers[0]->file, folder.getChildFile ("Evening.kvp"));
}
