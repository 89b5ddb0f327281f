#include "MainToolbar.h"

namespace MainToolbar
{
    namespace
    {
        const Button table[] = {
            { "getPhotoButton", WidgetArt::toolbarOpen, "16, 1, left + 50, top + 30",
              "Click to get your photo!", "Load a photo from your hard drive. " },
            { "savePhotoButton", WidgetArt::toolbarSave, "82, 1, left + 50, top + 30",
              "Click to save your photo!", "Save your image to your hard drive." },
            { "cropButton", WidgetArt::toolbarCrop, "(parent.width - 256 - 130)/2 - 188 + 165, 1, left + 50, top + 30",
              "Click to Crop your Image!", "Cut off unwanted areas around the image." },
            { "undoButton", WidgetArt::toolbarUndo, "(parent.width - 256 - 130)/2 - 146 + 165 + 20, 1, left + 50, top + 30",
              "Click to undo your last change!", "Undo the last edit" },
            { "zoomInButton", WidgetArt::toolbarZoomIn, "(parent.width - 256 - 130)/2 - 104 + 165 + 40, 1, left + 50, top + 30",
              "Click to zoom in!", "Zoom in to examine small details.", true },
            { "zoomOutButton", WidgetArt::toolbarZoomOut, "(parent.width - 256 - 130)/2 - 20 + 165 + 80, 1, left + 50, top + 30",
              "Click to zoom out!", "Zoom Out to view a larger proportion of your image.", true },
            { "redoButton", WidgetArt::toolbarRedo, "(parent.width - 256 - 130)/2 + 22 + 165 + 100, 1, left + 50, top + 30",
              "Click to redo your last change!", "Redo the last edit that was undone." },
            { "originalButton", WidgetArt::toolbarCompare, "(parent.width - 256 - 130)/2 + 64 + 165 + 120, 1, left + 50, top + 30",
              "Click to go to the website!", "Hold down to view the original image for a quick comparison." },
            { "infoButton", WidgetArt::toolbarInfo, "parent.width - 180, 1, left + 50, top + 30",
              "Click to go to the website!",
              "Opens the Info Page for this product. Internet connection required to view Info Page using web browser." },
            { "productsButton", WidgetArt::toolbarProducts, "parent.width - 126, 1, left + 50, top + 30",
              "Click to go to the website!", "Takes you to our website." },
            { "randomizeButton", WidgetArt::toolbarRandomize, "parent.width - 68, 1, left + 50, top + 30",
              "", "Randomizes the Styles. This feature creates thousands of variations by switching 'Styles' and adjusting their settings." },
        };

        const char* const followingTheImage[] = { "getPhotoButton", "savePhotoButton", "zoomInButton", "undoButton", "cropButton",
                                                  "zoomOutButton", "redoButton", "originalButton", "randomizeButton" };
    }

    std::span<const Button> buttons()
    {
        return table;
    }

    std::span<const char* const> controlsFollowingTheImage()
    {
        return followingTheImage;
    }
}
