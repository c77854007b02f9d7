#include "vkwpfcpp/WPFVKIndexMarker.h"

#include "vkwpfcpp/WPFApplication.h"
#include "vkwpfcpp/WPFDialog.h"
#include "vkwpfcpp/WPFIndexMarkerStrip.h"
#include "vkwpfcpp/WPFRoutedEvent.h"
#include "vkwpfcpp/WPFText.h"

#include <QBoxLayout>
#include <QDialog>

CWPFVKIndexMarker::CWPFVKIndexMarker(const CString& name, const CString& caption)
    : m_pStrip(new CWPFIndexMarkerStrip(CWPFText::ToQString(caption), nullptr))
{
    m_pStrip->setObjectName(CWPFText::ToQString(name));
    CWPFWndBase::Attach(m_pStrip);
}

CWPFVKIndexMarker::~CWPFVKIndexMarker()
{
    // A strip never placed in a window is still this object's.
    CWPFIndexMarkerStrip* strip = GetStrip();
    if (strip && !strip->parent())
        delete strip;
}

bool CWPFVKIndexMarker::Attach(CWPFDialog* dialog)
{
    QDialog* window = dialog ? dialog->GetWindow() : nullptr;
    auto* layout = window ? qobject_cast<QBoxLayout*>(window->layout()) : nullptr;
    if (!layout || !GetStrip())
        return false;
    layout->insertWidget(0, m_pStrip);
    return true;
}

void CWPFVKIndexMarker::AddMarker(bool displayOnly, bool changeable, const CString& text, const CString& toolTip,
                                  int colorSlot)
{
    m_bDisplayOnly = displayOnly;
    m_bChangeable = changeable;
    CWPFIndexMarkerStrip* strip = GetStrip();
    if (!strip)
        return;
    // The tool tip registered for the marker application-wide names it
    // best ("text - tool tip").
    const CString registered = CWPFApplication::GetMarkerToolTip(strip->MarkerCount());
    strip->AddMarker(CWPFText::ToQString(text), CWPFText::ToQString(registered.IsEmpty() ? toolTip : registered),
                     colorSlot);
    UpdateClickable();
}

void CWPFVKIndexMarker::SetIsVisible(int marker, bool visible)
{
    if (CWPFIndexMarkerStrip* strip = GetStrip())
        strip->SetMarkerVisible(marker, visible);
}

bool CWPFVKIndexMarker::GetIsVisible(int marker) const
{
    const CWPFIndexMarkerStrip* strip = GetStrip();
    return strip && strip->IsMarkerVisible(marker);
}

int CWPFVKIndexMarker::GetMarkerCount() const
{
    const CWPFIndexMarkerStrip* strip = GetStrip();
    return strip ? strip->MarkerCount() : 0;
}

void CWPFVKIndexMarker::DoAddOnClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler)
{
    m_onClick.Add(handler);
    UpdateClickable();
}

void CWPFVKIndexMarker::Close()
{
    if (CWPFIndexMarkerStrip* strip = GetStrip()) {
        strip->SetClickHandler(nullptr, false);
        strip->hide();
        strip->deleteLater();
    }
    m_pStrip = nullptr;
}

CWPFIndexMarkerStrip* CWPFVKIndexMarker::GetStrip() const
{
    // The window that holds the strip may have gone, and the strip with it.
    return GetElement() ? m_pStrip : nullptr;
}

void CWPFVKIndexMarker::UpdateClickable()
{
    CWPFIndexMarkerStrip* strip = GetStrip();
    if (!strip)
        return;
    if (m_bDisplayOnly || m_onClick.IsEmpty()) {
        strip->SetClickHandler(nullptr, false);
        return;
    }
    strip->SetClickHandler(
        [this](int) {
            CWPFRoutedEvent event(this);
            m_onClick.Raise(event);
        },
        m_bChangeable);
}
