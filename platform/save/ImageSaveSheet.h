#pragma once

#include "ImageSaveAccessory.h"
#include "ImageSaveButton.h"
#include "ImageSavePanel.h"
#include "ImageSaveReplacePrompt.h"
#include "ImageTypeFileFilter.h"

#include <memory>

/** The save panel on screen: a modal sheet that covers a window, dims it and shows a
    dialog (470 x 500 at most, "imageSaveDialog") with the title, a file browser in save
    mode listing the folders and the files of the chosen type, the accessory, and
    "Cancel" and "Save".

    "Save" (or Return in the name field, or a double click on a file) answers with the
    file in the browser's folder; when that file exists the sheet first asks whether to
    replace it. "Cancel" and Escape answer nothing. The sheet deletes itself once it has
    answered, and also when its window goes (answering nothing).

    Made by ImageSavePanel; tests find it with findIn.
*/
class ImageSaveSheet : public juce::Component,
                       private juce::FileBrowserListener,
                       private juce::ComponentListener
{
public:
    static constexpr int dialogWidth = 470, dialogHeight = 500;

    /** Puts a sheet for panel over window and makes it modal; the handler gets the answer
        on the message thread after the sheet has left the modal state. */
    static ImageSaveSheet* show (const ImageSavePanel& panel, juce::Component& window,
                                 ImageSavePanel::CompletionHandler handler);

    /** The sheet showing over window, or none. */
    static ImageSaveSheet* findIn (juce::Component& window);

    ~ImageSaveSheet() override;

    /** What the sheet shows now: name, type and quality as the user left them. */
    const ImageSavePanel& getPanel() const noexcept    { return panel; }
    juce::FileBrowserComponent& getBrowser() noexcept  { return browser; }
    /** The browser's name field. */
    juce::TextEditor& getNameField() noexcept          { return *nameField; }
    ImageSaveAccessory& getAccessory() noexcept        { return accessory; }
    juce::Button& getSaveButton() noexcept             { return saveButton; }
    juce::Button& getCancelButton() noexcept           { return cancelButton; }
    ImageSaveReplacePrompt& getReplacePrompt() noexcept  { return replacePrompt; }
    /** The dialog's area in the sheet. */
    juce::Rectangle<int> getDialogBounds() const;

    /** As "Save" does. */
    void save();
    /** As "Cancel" does. */
    void cancel();

    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentSizeChanged() override;
    bool keyPressed (const juce::KeyPress& key) override;

private:
    using Answer = std::optional<ImageSavePanel::Result>;

    explicit ImageSaveSheet (const ImageSavePanel& shownPanel);

    ImageSavePanel panel;
    std::shared_ptr<Answer> answer = std::make_shared<Answer>();
    juce::Component::SafePointer<juce::Component> window;
    bool answered = false;

    // The filter outlives the browser that reads it.
    ImageTypeFileFilter filter;
    juce::FileBrowserComponent browser;
    juce::TextEditor* nameField = nullptr;
    ImageSaveAccessory accessory;
    ImageSaveButton cancelButton { "cancelButton", "Cancel", false };
    ImageSaveButton saveButton { "saveButton", "Save", true };
    ImageSaveReplacePrompt replacePrompt;

    void styleBrowser();
    void typeChosen (ImageSavePanel::ImageType type);
    void showPanelName();
    void answerWith (Answer chosen);
    void focusName();

    void selectionChanged() override;
    void fileClicked (const juce::File&, const juce::MouseEvent&) override {}
    void fileDoubleClicked (const juce::File& file) override;
    void browserRootChanged (const juce::File&) override {}

    void componentBeingDeleted (juce::Component& component) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageSaveSheet)
};
