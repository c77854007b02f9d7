#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"

// Binds a member function of a dialog (or of any object) as the handler of
// an element's event:
//   m_lListe.DoAddOnSelectionChanged(
//       new CWPFEventCall<CDBFileDialog, CWPFSelectionChangedEvent>(this, &CDBFileDialog::OnSelectionChangedLListe));
// The element takes ownership of the call object.
template <typename Target, typename Event> class CWPFEventCall : public CWPFEventHandlerOf<Event> {
public:
    using Member = void (Target::*)(Event&);

    CWPFEventCall(Target* target, Member member) : m_pTarget(target), m_member(member) {}

protected:
    void Dispatch(CWPFRoutedEvent& event) override { (m_pTarget->*m_member)(static_cast<Event&>(event)); }

private:
    Target* m_pTarget;
    Member m_member;
};
