#include "ImageListModalContainer.h"

#include "GenericImageList.h"

ImageListModalContainer::ImageListModalContainer (GenericImageList& owner)
    : SxComponent ("slideComponent"),
      list (owner)
{
}

void ImageListModalContainer::inputAttemptOutsideModal()
{
    list.dismiss();
}
