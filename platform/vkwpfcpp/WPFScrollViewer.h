#pragma once
#include "vkwpfcpp/WPFContentControl.h"

// Values of the scroll-bar visibilities: disabled (the content gets the
// viewer's width or height and no bar), a bar when needed, never a bar,
// always a bar.
enum EVKScrollBarVisibility {
    VKScrollBarDisabled = 0,
    VKScrollBarAuto = 1,
    VKScrollBarHidden = 2,
    VKScrollBarVisible = 3,
};

// A scroll area (a QScrollArea in the markup, or created at run time) whose
// content is given with Add.
class CWPFScrollViewer : public CWPFContentControl {
public:
    CWPFScrollViewer();
    // Creates a new viewer called name with the visibilities of its bars.
    CWPFScrollViewer(const CString& name, int horizontal, int vertical);

    void SetHorizontalScrollBarVisibility(int visibility);
    void SetVerticalScrollBarVisibility(int visibility);

protected:
    bool CanAttach(QObject* element) const override;
};
