#pragma once

class GenericImageList;

/** How a thumbnail picker (GenericImageList) reports the user's choice: the picker and the
    index of the chosen thumbnail. The effect layers implement it for their border choice. */
class GenericImageListCallback
{
public:
    virtual ~GenericImageListCallback() = default;

    virtual void imageListItemChosen (GenericImageList* list, int index) {}
};
