#pragma once
#include "vkbasis/CString.h"

#include <QIcon>

// Images by name from a resource assembly: the image "Kartei80" of
// "j3wpfcs" is the file ":/j3wpfcs/images/Kartei80.png", with
// "Kartei80@2x.png" beside it for screens at twice the scale. Images are read
// once and then served from memory, so a thousand buttons with the same few
// images read each file once.
class CWPFImages {
public:
    // The image; a null icon when there is none of that name.
    static QIcon Find(const CString& assembly, const CString& name);
};
