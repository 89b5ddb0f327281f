// Gallery page "menus": what the main look-and-feel draws. Real popup menus, each shown inside
// a panel of the page (as a menu with a parent component is): one with every kind of item, one
// scrolled to its middle with both scroll arrows; the menu bar enabled, with an open item, and
// disabled; and a long tooltip, wrapped.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxMainLookAndFeel.h"

namespace
{
    using namespace GalleryKit;

    struct BarModel : public juce::MenuBarModel
    {
        juce::StringArray getMenuBarNames() override                           { return { "File", "Edit", "Image", "Layer", "Help" }; }
        juce::PopupMenu getMenuForIndex (int, const juce::String&) override    { return {}; }
        void menuItemSelected (int, int) override                              {}
    };

    /** A menu bar drawn through the look-and-feel with one item shown open, as while its menu
        is down. */
    class OpenMenuBar : public juce::MenuBarComponent
    {
    public:
        OpenMenuBar (juce::MenuBarModel& model, int openIndex) : juce::MenuBarComponent (&model), open (openIndex) {}

        void paint (juce::Graphics& g) override
        {
            auto& lf = getLookAndFeel();
            lf.drawMenuBarBackground (g, getWidth(), getHeight(), false, *this);

            const auto names = getModel()->getMenuBarNames();
            int x = 0;
            for (int i = 0; i < names.size(); ++i)
            {
                const int w = lf.getMenuBarItemWidth (*this, i, names[i]);
                juce::Graphics::ScopedSaveState saved (g);
                g.setOrigin (x, 0);
                g.reduceClipRegion (0, 0, w, getHeight());
                lf.drawMenuBarItem (g, w, getHeight(), i, names[i], false, i == open, false, *this);
                x += w;
            }
        }

    private:
        int open;
    };

    /** A layer's thumbnail, as a menu icon. */
    std::unique_ptr<juce::Drawable> layerIcon()
    {
        juce::Image image (juce::Image::ARGB, 32, 32, true);
        juce::Graphics g (image);
        g.setGradientFill (juce::ColourGradient (juce::Colour (64, 120, 190), 0, 0, juce::Colour (230, 170, 110), 0, 32, false));
        g.fillRoundedRectangle (2.0f, 2.0f, 28.0f, 28.0f, 4.0f);
        g.setColour (juce::Colour (40, 50, 60));
        g.fillEllipse (6.0f, 18.0f, 26.0f, 20.0f);
        auto icon = std::make_unique<juce::DrawableImage>();
        icon->setImage (image);
        return icon;
    }

    class MenusPage : public SxComponent
    {
    public:
        MenusPage() : SxComponent ("menusPage")
        {
            setSize (960, 540);
            titleBar (*this, "Menus and tooltips",
                      juce::String (juce::CharPointer_UTF8 ("every item kind  \xc2\xb7  scroll arrows  \xc2\xb7  menu bar  \xc2\xb7  "
                                                            "a wrapped tooltip")));

            showItemKinds (section ("POPUP MENU", { 24, 74, 280, 440 }));
            showScrolling (section ("SCROLLED TO ITS MIDDLE", { 328, 74, 220, 210 }));
            addMenuBars (section ("MENU BAR", { 572, 74, 364, 210 }));
            showTooltip (section ("TOOLTIP", { 328, 328, 608, 186 }));
        }

        ~MenusPage() override
        {
            // The menus' windows sit inside this page's panels but belong to the menu system,
            // which deletes them once they are dismissed: let that happen before the panels go.
            juce::PopupMenu::dismissAllActiveMenus();
            const auto anyLeft = [this] { return std::any_of (menuWindows.begin(), menuWindows.end(), [] (auto& w) { return w != nullptr; }); };
            for (int i = 0; i < 100 && anyLeft(); ++i)
                juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        BarModel model;
        std::unique_ptr<juce::Drawable> icon = layerIcon();
        std::vector<juce::Component::SafePointer<juce::Component>> menuWindows;

        /** A titled dark panel at area. */
        juce::Component& section (const juce::String& title, juce::Rectangle<int> area)
        {
            addLabel (*this, title, at (area.getX(), area.getY() - 22, area.getWidth(), 16), 11.0f, true,
                      juce::Justification::centredLeft, captionGrey);
            return place (*this, band (0x2A2A2AFFu), at (area.getX(), area.getY(), area.getWidth(), area.getHeight()));
        }

        void show (juce::PopupMenu menu, juce::Component& area, juce::Point<int> at, juce::PopupMenu::Options options)
        {
            menu.showMenuAsync (options.withParentComponent (&area)
                                    .withTargetScreenArea (area.localAreaToGlobal (juce::Rectangle<int> (at.x, at.y, 1, 1))));
            // The menu's window is the child just added.
            menuWindows.emplace_back (area.getChildComponent (area.getNumChildComponents() - 1));
        }

        void showItemKinds (juce::Component& area)
        {
            juce::PopupMenu blendModes;
            for (auto* mode : { "Normal", "Multiply", "Screen", "Overlay" })
                blendModes.addItem (mode, [] {});

            juce::PopupMenu menu;
            menu.addSectionHeader ("Layer");
            menu.addItem (juce::PopupMenu::Item ("New Layer").setID (1).setAction ([] {}));
            menu.addItem (juce::PopupMenu::Item ("Open Image...").setID (2).setAction ([] {}));
            menu.addItem (juce::PopupMenu::Item ("Duplicate Layer").setID (3).setImage (icon->createCopy()).setAction ([] {}));
            menu.addItem (juce::PopupMenu::Item ("Show Tooltips").setID (4).setTicked (true).setAction ([] {}));
            menu.addItem (juce::PopupMenu::Item ("Revert to Saved").setID (5).setEnabled (false));
            menu.addSeparator();
            menu.addItem (juce::PopupMenu::Item ("Save Project").setID (6).setAction ([] {}));
            menu.addItem (juce::PopupMenu::Item ("Delete Layer").setID (7).setEnabled (false).setTicked (true));
            menu.addSubMenu ("Blend Mode", blendModes);
            menu.addSeparator();
            menu.addItem (juce::PopupMenu::Item ("Export as a Very Long Name for a Narrow Menu").setID (8).setAction ([] {}));

            // The save item carries a shortcut text, as a command's item would.
            juce::PopupMenu::MenuItemIterator items (menu);
            while (items.next())
                if (items.getItem().itemID == 6)
                    items.getItem().shortcutKeyDescription = "Ctrl+S";

            show (menu, area, { 12, 12 }, juce::PopupMenu::Options().withMinimumWidth (250).withMaximumNumColumns (1)
                                              .withInitiallySelectedItem (2));
        }

        void showScrolling (juce::Component& area)
        {
            juce::PopupMenu menu;
            for (int i = 1; i <= 24; ++i)
                menu.addItem (i, "Preset " + juce::String (i));

            show (menu, area, { 12, 12 }, juce::PopupMenu::Options().withMinimumWidth (180).withMaximumNumColumns (1)
                                              .withItemThatMustBeVisible (12));
        }

        void addMenuBars (juce::Component& area)
        {
            const struct { const char* caption; int y; } rows[] = { { "Enabled", 14 }, { "An open menu", 78 }, { "Disabled", 142 } };
            for (auto& row : rows)
                addLabel (area, row.caption, at (12, row.y, 200, 16), 11.0f, false, juce::Justification::centredLeft, captionGrey);

            place (area, new juce::MenuBarComponent (&model), at (12, 34, 340, 24));
            place (area, new OpenMenuBar (model, 2), at (12, 98, 340, 24));
            place (area, new juce::MenuBarComponent (&model), at (12, 162, 340, 24)).setEnabled (false);
        }

        static void showTooltip (juce::Component& area)
        {
            addLabel (area, "The pointer rests on a slider:", at (12, 10, 400, 16), 11.0f, false, juce::Justification::centredLeft, captionGrey);

            // Owned by the panel, which deletes its children.
            auto* tips = new juce::TooltipWindow (&area, 800);
            tips->displayTip (area.localPointToGlobal (juce::Point<int> (16, 24)),
                              "Use this to choose how much of the photograph is painted and how much is left as paper, "
                              "from a few strokes to the whole picture.");

            auto* shortTips = new juce::TooltipWindow (&area, 800);
            shortTips->displayTip (area.localPointToGlobal (juce::Point<int> (16, 110)), "Open an image or a project");
        }
    };

    const GalleryPage::Registration page { { "menus", "Popup menus, menu bar and tooltips of the main look-and-feel",
                                             [] { return std::make_unique<MenusPage>(); } } };
}
