#include "ImageSaveSheet.h"

#include "ImageSaveStyle.h"
#include "PlatformPaths.h"

namespace
{
    constexpr int titleHeight = 34, margin = 12, buttonWidth = 90, buttonHeight = 26;

    constexpr int browserFlags = juce::FileBrowserComponent::saveMode
                               | juce::FileBrowserComponent::canSelectFiles
                               | juce::FileBrowserComponent::doNotClearFileNameOnRootChange;

    juce::File startFolder (const ImageSavePanel& panel)
    {
        const auto& folder = panel.getDirectoryURL();
        return folder.isDirectory() ? folder : PlatformPaths::getUserPicturesFolder();
    }

    template <typename Type>
    Type* firstChildOf (juce::Component& parent)
    {
        for (auto* child : parent.getChildren())
            if (auto* found = dynamic_cast<Type*> (child))
                return found;
        return nullptr;
    }

    juce::DrawablePath upArrow (juce::Colour colour)
    {
        juce::Path arrow;
        arrow.addArrow ({ 50.0f, 100.0f, 50.0f, 0.0f }, 40.0f, 100.0f, 50.0f);
        juce::DrawablePath image;
        image.setFill (colour);
        image.setPath (arrow);
        return image;
    }

    /** The browser's "go up" button drawn flat like the fields beside it: a light arrow
        that turns turquoise under the pointer. */
    void flattenGoUpButton (juce::DrawableButton& button)
    {
        using namespace ImageSaveStyle;
        button.setButtonStyle (juce::DrawableButton::ImageFitted);
        button.setEdgeIndent (5);
        const auto normal = upArrow (ink.withAlpha (0.8f)), over = upArrow (accent), down = upArrow (accentDown);
        button.setImages (&normal, &over, &down);
        button.setColour (juce::DrawableButton::backgroundColourId, field);
        button.setColour (juce::DrawableButton::backgroundOnColourId, field);
        button.setMouseCursor (juce::MouseCursor::PointingHandCursor);
    }
}

ImageSaveSheet* ImageSaveSheet::show (const ImageSavePanel& panel, juce::Component& window,
                                      ImageSavePanel::CompletionHandler handler)
{
    auto* sheet = new ImageSaveSheet (panel);
    sheet->window = &window;
    window.addComponentListener (sheet);
    window.addAndMakeVisible (sheet);
    sheet->setBounds (window.getLocalBounds());

    auto answer = sheet->answer;
    sheet->enterModalState (true, juce::ModalCallbackFunction::create ([answer, handler = std::move (handler)] (int)
    {
        if (handler)
            handler (*answer);
    }), true);
    sheet->focusName();
    return sheet;
}

ImageSaveSheet* ImageSaveSheet::findIn (juce::Component& window)
{
    return firstChildOf<ImageSaveSheet> (window);
}

ImageSaveSheet::ImageSaveSheet (const ImageSavePanel& shownPanel)
    : panel (shownPanel),
      filter (shownPanel.getImageType(), shownPanel.getDocumentExtension()),
      browser (browserFlags, startFolder (shownPanel), &filter, nullptr)
{
    setName ("imageSaveSheet");
    setWantsKeyboardFocus (true);

    nameField = firstChildOf<juce::TextEditor> (browser);
    jassert (nameField != nullptr);
    browser.setFilenameBoxLabel ("Name:");
    browser.addListener (this);
    addAndMakeVisible (browser);
    styleBrowser();

    nameField->onEscapeKey = [this] { cancel(); };
    showPanelName();

    accessory.showPanel (panel);
    accessory.onTypeChosen = [this] (ImageSavePanel::ImageType type) { typeChosen (type); };
    accessory.onQualityChanged = [this] (int quality) { panel.setQuality (quality); };
    // A document has one type and no quality: nothing to choose below the browser.
    if (! panel.savesDocument())
        addAndMakeVisible (accessory);

    cancelButton.onClick = [this] { cancel(); };
    saveButton.onClick = [this] { save(); };
    addAndMakeVisible (cancelButton);
    addAndMakeVisible (saveButton);

    replacePrompt.onKeep = [this]
    {
        replacePrompt.setVisible (false);
        focusName();
    };
    replacePrompt.onReplace = [this]
    {
        replacePrompt.setVisible (false);
        answerWith (panel.resultIn (browser.getRoot()));
    };
    addChildComponent (replacePrompt);
}

ImageSaveSheet::~ImageSaveSheet()
{
    browser.removeListener (this);
    if (window != nullptr)
        window->removeComponentListener (this);
}

//==============================================================================
void ImageSaveSheet::styleBrowser()
{
    using namespace ImageSaveStyle;
    browser.setColour (juce::FileBrowserComponent::currentPathBoxBackgroundColourId, field);
    browser.setColour (juce::FileBrowserComponent::currentPathBoxTextColourId, ink);
    browser.setColour (juce::FileBrowserComponent::currentPathBoxArrowColourId, ink);
    browser.setColour (juce::FileBrowserComponent::filenameBoxBackgroundColourId, field);
    browser.setColour (juce::FileBrowserComponent::filenameBoxTextColourId, ink);
    // The browser hands these to its path box and name field, and makes its "go up"
    // button anew, when it hears of a look-and-feel change.
    browser.sendLookAndFeelChange();

    if (auto* goUp = firstChildOf<juce::DrawableButton> (browser))
        flattenGoUpButton (*goUp);

    if (auto* pathBox = firstChildOf<juce::ComboBox> (browser))
    {
        pathBox->setColour (juce::ComboBox::outlineColourId, fieldOutline);
        pathBox->setColour (juce::ComboBox::buttonColourId, field);
        pathBox->setColour (juce::ComboBox::focusedOutlineColourId, accent);
    }

    if (auto* label = firstChildOf<juce::Label> (browser))
    {
        label->setColour (juce::Label::textColourId, ink);
        label->setFont (labelFont());
    }

    nameField->setFont (labelFont());
    nameField->applyFontToAllText (labelFont());
    nameField->setColour (juce::TextEditor::outlineColourId, fieldOutline);
    nameField->setColour (juce::TextEditor::focusedOutlineColourId, accent);
    nameField->setColour (juce::TextEditor::highlightColourId, accent.withAlpha (0.45f));
    nameField->setColour (juce::TextEditor::highlightedTextColourId, ink);
    nameField->setColour (juce::CaretComponent::caretColourId, ink);

    if (auto* list = dynamic_cast<juce::ListBox*> (browser.getDisplayComponent()))
    {
        list->setColour (juce::ListBox::backgroundColourId, ImageSaveStyle::list);
        list->setColour (juce::ListBox::outlineColourId, fieldOutline);
        list->setColour (juce::DirectoryContentsDisplayComponent::highlightColourId, accent.withAlpha (0.35f));
        list->setColour (juce::DirectoryContentsDisplayComponent::textColourId, ink);
        list->setColour (juce::DirectoryContentsDisplayComponent::highlightedTextColourId, ink);
        for (auto* bar : { &list->getVerticalScrollBar(), &list->getHorizontalScrollBar() })
        {
            bar->setColour (juce::ScrollBar::backgroundColourId, ImageSaveStyle::list);
            bar->setColour (juce::ScrollBar::trackColourId, ImageSaveStyle::list.brighter (0.08f));
            bar->setColour (juce::ScrollBar::thumbColourId, juce::Colour (110, 110, 110));
        }
    }
}

//==============================================================================
void ImageSaveSheet::typeChosen (ImageSavePanel::ImageType type)
{
    panel.nameFieldEdited (nameField->getText());
    panel.fileTypeChanged (type);
    showPanelName();
    accessory.showPanel (panel);
    filter.setType (type);
    browser.refresh();
}

void ImageSaveSheet::showPanelName()
{
    // The browser tells its listeners (selectionChanged) of the new text.
    browser.setFileName (panel.getNameFieldStringValue());
    saveButton.setEnabled (panel.getNameFieldStringValue().trim().isNotEmpty());
}

void ImageSaveSheet::selectionChanged()
{
    const auto typed = nameField->getText();
    const auto typeBefore = panel.getImageType();
    panel.nameFieldEdited (typed);
    if (panel.getImageType() != typeBefore)
    {
        accessory.showPanel (panel);
        filter.setType (panel.getImageType());
        browser.refresh();
    }
    saveButton.setEnabled (typed.trim().isNotEmpty());
}

void ImageSaveSheet::fileDoubleClicked (const juce::File&)
{
    save();
}

void ImageSaveSheet::save()
{
    if (answered || replacePrompt.isVisible())
        return;
    panel.nameFieldEdited (nameField->getText());
    if (panel.getNameFieldStringValue().trim().isEmpty())
        return;

    const auto chosen = panel.resultIn (browser.getRoot());
    if (chosen.file.isDirectory())
    {
        // A folder's name opens the folder, as in the browser's own name field.
        browser.setRoot (chosen.file);
        browser.setFileName ({});
        focusName();
        return;
    }
    if (chosen.file.exists())
    {
        replacePrompt.ask (chosen.file);
        return;
    }
    answerWith (chosen);
}

void ImageSaveSheet::cancel()
{
    if (replacePrompt.isVisible())
        replacePrompt.onKeep();
    else
        answerWith (std::nullopt);
}

void ImageSaveSheet::answerWith (Answer chosen)
{
    if (answered)
        return;
    answered = true;
    *answer = std::move (chosen);
    setVisible (false);
    exitModalState (0);
}

void ImageSaveSheet::focusName()
{
    if (! isShowing())
        return;
    nameField->grabKeyboardFocus();
    // The name without its extension is selected, ready to be typed over.
    const auto name = nameField->getText();
    const auto extension = ImageSavePanel::extensionOf (name);
    nameField->setHighlightedRegion ({ 0, name.length() - (extension.isEmpty() ? 0 : extension.length() + 1) });
}

void ImageSaveSheet::componentBeingDeleted (juce::Component& component)
{
    // The window goes first: the modal state answers nothing, and the sheet follows.
    component.removeComponentListener (this);
    window = nullptr;
    juce::MessageManager::callAsync ([sheet = juce::Component::SafePointer<ImageSaveSheet> (this)]
    {
        delete sheet.getComponent();
    });
}

//==============================================================================
juce::Rectangle<int> ImageSaveSheet::getDialogBounds() const
{
    const auto width = juce::jmin (dialogWidth, getWidth() - 16);
    const auto height = juce::jmin (dialogHeight, getHeight() - 16);
    // Hung a little above the middle, as a sheet drops from the window's top.
    const auto y = juce::jmax (8, (getHeight() - height) * 2 / 5);
    return { (getWidth() - width) / 2, y, width, height };
}

void ImageSaveSheet::paint (juce::Graphics& g)
{
    using namespace ImageSaveStyle;
    g.fillAll (backdrop);

    const auto dialog = getDialogBounds();
    juce::Path outline;
    outline.addRoundedRectangle (dialog.toFloat(), 7.0f);
    juce::DropShadow (juce::Colours::black.withAlpha (0.6f), 24, { 0, 6 }).drawForPath (g, outline);

    g.setColour (ImageSaveStyle::panel);
    g.fillPath (outline);

    g.saveState();
    g.reduceClipRegion (outline);
    g.setColour (titleBand);
    g.fillRect (dialog.withHeight (titleHeight));
    g.restoreState();

    g.setColour (frame);
    g.strokePath (outline, juce::PathStrokeType (1.0f));
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.drawHorizontalLine (dialog.getY() + titleHeight, (float) dialog.getX() + 1.0f, (float) dialog.getRight() - 1.0f);

    g.setColour (ink);
    g.setFont (titleFont());
    g.drawText (panel.getTitle(), dialog.withHeight (titleHeight), juce::Justification::centred, true);

    // A hairline between the folder and the format.
    if (! accessory.isVisible())
        return;
    g.setColour (fieldOutline);
    g.drawHorizontalLine (accessory.getY() - 6, (float) dialog.getX() + margin, (float) dialog.getRight() - margin);
}

void ImageSaveSheet::resized()
{
    const auto dialog = getDialogBounds();
    auto area = dialog.withTrimmedTop (titleHeight).reduced (margin - 8, margin);

    auto buttons = area.removeFromBottom (buttonHeight).withTrimmedRight (8);
    saveButton.setBounds (buttons.removeFromRight (buttonWidth));
    buttons.removeFromRight (10);
    cancelButton.setBounds (buttons.removeFromRight (buttonWidth));

    area.removeFromBottom (8);
    if (accessory.isVisible())
    {
        const auto accessoryArea = area.removeFromBottom (ImageSaveAccessory::height);
        accessory.setBounds (accessoryArea.withSizeKeepingCentre (ImageSaveAccessory::width, ImageSaveAccessory::height));
        area.removeFromBottom (12);
    }

    // The browser lays its controls out 8 pixels in from its sides.
    browser.setBounds (area);
    replacePrompt.setBounds (dialog);
}

void ImageSaveSheet::parentSizeChanged()
{
    if (auto* parent = getParentComponent())
        setBounds (parent->getLocalBounds());
}

bool ImageSaveSheet::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::escapeKey)
    {
        cancel();
        return true;
    }
    if (key == juce::KeyPress::returnKey)
    {
        save();
        return true;
    }
    return false;
}
