#include "SxNameDialogPassMessage.h"

#include "SxMainComponentServices.h"
#include "SxNamingDialog.h"
#include "SxNamingDialogCallback.h"

SxNameDialogPassMessage::SxNameDialogPassMessage (SxNamingDialog& d, const juce::String& n)
    : dialog (&d), name (n)
{
}

void SxNameDialogPassMessage::messageCallback()
{
    auto* target = dialog.getComponent();

    if (target == nullptr)
        return;

    if (auto* main = SxMainComponentServices::getInstance())
        if (auto* canvas = main->getDocumentCanvasComponent(); canvas != nullptr && canvas->isShowing())
            canvas->grabKeyboardFocus();

    if (auto* callback = target->namingCallback)
        callback->nameEntered (name, target);

    delete dialog.getComponent();
}
