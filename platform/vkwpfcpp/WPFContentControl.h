#pragma once
#include "vkwpfcpp/WPFWndBase.h"

// An element that shows one other element as its content: a scroll area
// scrolls it, any other element gets it as its only child, filling it.
class CWPFContentControl : public CWPFWndBase {
public:
    // Makes the element of content this element's content, replacing the
    // former content; false when either is unbound.
    bool Add(CWPFWndBase* content);
};
