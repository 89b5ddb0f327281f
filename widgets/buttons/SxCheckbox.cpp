#include "SxCheckbox.h"

#include "SxCheckboxImageButton.h"
#include "SxRelativeBounds.h"
#include "SxWidgetArt.h"

namespace
{
    constexpr float captionFontHeight = 11.0f;

    class CheckboxAccessibility : public juce::AccessibilityHandler
    {
    public:
        CheckboxAccessibility (SxCheckbox& box, std::function<void()> toggle)
            : juce::AccessibilityHandler (box, juce::AccessibilityRole::toggleButton,
                                          juce::AccessibilityActions()
                                              .addAction (juce::AccessibilityActionType::press, toggle)
                                              .addAction (juce::AccessibilityActionType::toggle, toggle)),
              checkbox (box)
        {
        }

        juce::String getTitle() const override  { return checkbox.getLabel().getText(); }

        juce::AccessibleState getCurrentState() const override
        {
            auto state = juce::AccessibilityHandler::getCurrentState().withCheckable();
            return checkbox.isChecked() ? state.withChecked() : state;
        }

    private:
        SxCheckbox& checkbox;
    };
}

SxCheckbox::SxCheckbox (const juce::String& componentName, const juce::String& caption, SxControlChangedCallback* l)
    : SxComponent ({}),
      listener (l)
{
    setName (componentName);
    setBounds (0, 0, 190, 31);

    untickedImage = SxWidgetArt::get (WidgetArt::checkboxUnticked);
    tickedImage = SxWidgetArt::get (WidgetArt::checkboxTicked);

    tick = new SxCheckboxImageButton (componentName);
    addAndMakeVisible (tick);
    SxRelativeBounds::apply (*tick, "0,0, parent.width, parent.height");
    setChecked (false);
    tick->addListener (this);
    tick->setAccessible (false);

    label = new juce::Label ("SxPanelComponentTitleLabel", caption);
    label->setColour (juce::Label::textColourId, juce::Colour (240, 240, 240));
    addAndMakeVisible (label);
    label->setFont (juce::Font (captionFontHeight, juce::Font::plain));
    // The caption starts one pixel right of the square tick and sits on the middle line.
    SxRelativeBounds::apply (*label, "parent.height +1, (parent.height/2-1) - (parent.height - "
                                         + juce::String ((int) captionFontHeight / 2) + ")/2 , parent.width - "
                                         + juce::String (untickedImage.getWidth()) + ", parent.height");
    label->setJustificationType (juce::Justification::left);
    label->setInterceptsMouseClicks (false, false);
    label->setAccessible (false);

    tick->toFront (false);
    setInterceptsMouseClicks (true, true);
}

SxCheckbox::~SxCheckbox()
{
    // Deleting a focused tick moves the focus, and the tick tells its listeners of its new
    // state: this box must not hear of it half destroyed.
    tick->removeListener (this);
}

bool SxCheckbox::isChecked() const
{
    return tick->getNormalImage() == tickedImage;
}

void SxCheckbox::setChecked (bool ticked)
{
    const auto& shown = ticked ? tickedImage : untickedImage;
    const auto& pressed = ticked ? untickedImage : tickedImage;
    const auto none = juce::Colours::transparentBlack;
    tick->setImages (false, true, true, shown, 1.0f, none, shown, 1.0f, none, pressed, 1.0f, none);
}

void SxCheckbox::buttonClicked (juce::Button*)
{
    toggle();
}

void SxCheckbox::toggle()
{
    setChecked (! isChecked());

    if (listener != nullptr)
        listener->controlChanged (this);
}

std::unique_ptr<juce::AccessibilityHandler> SxCheckbox::createAccessibilityHandler()
{
    return std::make_unique<CheckboxAccessibility> (*this, [this] { toggle(); });
}
