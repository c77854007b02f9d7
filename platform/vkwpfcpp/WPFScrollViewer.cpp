#include "vkwpfcpp/WPFScrollViewer.h"

#include "vkwpfcpp/WPFText.h"

#include <QScrollArea>

namespace {

Qt::ScrollBarPolicy PolicyOf(int visibility)
{
    switch (visibility) {
    case VKScrollBarAuto:
        return Qt::ScrollBarAsNeeded;
    case VKScrollBarVisible:
        return Qt::ScrollBarAlwaysOn;
    default:
        return Qt::ScrollBarAlwaysOff;
    }
}

} // namespace

CWPFScrollViewer::CWPFScrollViewer() = default;

CWPFScrollViewer::CWPFScrollViewer(const CString& name, int horizontal, int vertical)
{
    auto* viewer = new QScrollArea;
    viewer->setObjectName(CWPFText::ToQString(name));
    // The content follows the viewer's size, so a wrap panel wraps at its width.
    viewer->setWidgetResizable(true);
    viewer->setFrameShape(QFrame::NoFrame);
    AttachCreated(viewer);
    SetHorizontalScrollBarVisibility(horizontal);
    SetVerticalScrollBarVisibility(vertical);
}

void CWPFScrollViewer::SetHorizontalScrollBarVisibility(int visibility)
{
    if (auto* viewer = qobject_cast<QScrollArea*>(GetWidget()))
        viewer->setHorizontalScrollBarPolicy(PolicyOf(visibility));
}

void CWPFScrollViewer::SetVerticalScrollBarVisibility(int visibility)
{
    if (auto* viewer = qobject_cast<QScrollArea*>(GetWidget()))
        viewer->setVerticalScrollBarPolicy(PolicyOf(visibility));
}

bool CWPFScrollViewer::CanAttach(QObject* element) const
{
    return qobject_cast<QScrollArea*>(element) != nullptr;
}
