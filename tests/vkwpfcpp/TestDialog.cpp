#include "TestDialog.h"

#include "vkwpfcpp/VKButtonClass.h"

#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFKeyboardFocusChangedEvent.h"
#include "vkwpfcpp/WPFMouseButtonEvent.h"
#include "vkwpfcpp/WPFSelectionChangedEvent.h"
#include "vkwpfcpp/WPFTextChangedEvent.h"

namespace {

// An event handler that writes what the event tells into the dialog's log.
template <typename Event>
struct CLoggedEvent : CWPFEventHandlerOf<Event> {
    using Describe = std::function<std::string(Event&)>;
    CLoggedEvent(CTestDialog& dialog, Describe describe) : m_dialog(dialog), m_describe(std::move(describe)) {}
    void Dispatch(CWPFRoutedEvent& event) override { m_dialog.m_log.push_back(m_describe(static_cast<Event&>(event))); }
    CTestDialog& m_dialog;
    Describe m_describe;
};

template <typename Event = CWPFRoutedEvent>
CLoggedEvent<Event>* Logged(CTestDialog& dialog, typename CLoggedEvent<Event>::Describe describe)
{
    return new CLoggedEvent<Event>(dialog, std::move(describe));
}

CLoggedEvent<CWPFRoutedEvent>* Logged(CTestDialog& dialog, const std::string& text)
{
    return Logged(dialog, [text](CWPFRoutedEvent&) { return text; });
}

std::string SelectionEntry(CWPFSelectionChangedEvent& event)
{
    std::string entry = "selection";
    for (int row : event.GetAddedRows())
        entry += " +" + std::to_string(row);
    for (int row : event.GetRemovedRows())
        entry += " -" + std::to_string(row);
    return entry;
}

} // namespace

CTestDialog::CTestDialog(const CString& markupKey) : CWPFDialog(markupKey, "j3wpfcs", nullptr) {}

CWPFWndBase* CTestDialog::OnInitDialog()
{
    CWPFWndBase* root = CWPFDialog::OnInitDialog();
    m_pRoot = root;
    m_bAttached = m_editName.Attach(this, "VKLTEXTBOX_NAME") && m_editFilter.Attach(this, "VKLTEXTBOX_FILTER") &&
                  m_list.Attach(this, "VKLLISTVIEW_ITEMS") && m_btnAdd.Attach(this, "VKBUTTON_ADD") &&
                  m_btnFavorit.Attach(this, "VKXBUTTON_FAVORIT") && m_textStatus.Attach(this, "VKTEXTBLOCK_STATUS") &&
                  m_menuDelete.Attach(this, "VKMENUITEM_DELETE") && root != nullptr && root->IsAttached();

    m_list.AddTextBlockColumn("Name", 0, 0, "");
    m_list.AddTextBlockColumn("Letzte \xC4nderung", 140, 2, "Zeitpunkt der letzten \xC4nderung");
    m_list.AddTextBlockColumn("Gr\xF6\xDF" "e", 80, 2, "");
    m_list.BindMatrix(&m_matrix);
    for (const char* name : {"Befund.txt", "Brief.doc", "R\xF6ntgen\\", "Zahnstatus.pdf", "Abrechnung.txt"})
        m_matrix.DoAdd({name, "01.02.2026  10:00:00", "1 KB"});

    m_editName.DoAddOnTextChanged(
        Logged<CWPFTextChangedEvent>(*this, [](auto& event) { return "text " + event.GetText().str(); }));
    m_editName.DoAddOnReturnKey(
        Logged<CWPFRoutedEvent>(*this, [](auto& event) { return "return " + event.GetSourceName().str(); }));
    m_editName.DoAddOnGotKeyboardFocus(Logged<CWPFKeyboardFocusChangedEvent>(*this, [](auto&) { return "got focus"; }));
    m_editName.DoAddOnLostKeyboardFocus(
        Logged<CWPFKeyboardFocusChangedEvent>(*this, [](auto&) { return "lost focus"; }));
    m_list.DoAddOnSelectionChanged(Logged<CWPFSelectionChangedEvent>(*this, &SelectionEntry));
    m_list.DoAddOnMouseDoubleClick(Logged<CWPFMouseButtonEvent>(
        *this, [](auto& event) { return "double click " + std::to_string(event.GetRow()); }));
    m_list.DoAddOnColumnHeaderClick(Logged<CWPFRoutedEvent>(
        *this, [](auto& event) { return "header " + std::to_string(event.GetColumnIndex()); }));
    m_btnAdd.DoAddOnClick(Logged<CWPFRoutedEvent>(*this, [this](auto& event) {
        if (m_onAdd)
            m_onAdd(*this);
        return "click " + event.GetSourceName().str();
    }));
    m_btnFavorit.DoAddOnClick(Logged(*this, "click favorit"));
    m_btnFavorit.DoAddOnClickX(Logged(*this, "remove favorit"));
    m_menuDelete.DoAddOnClick(Logged(*this, "menu delete"));
    Stage("OnInitDialog", m_onInit);
    return root;
}

void CTestDialog::Stage(const char* name, const std::function<void(CTestDialog&)>& hook)
{
    m_log.push_back(name);
    if (hook)
        hook(*this);
}

void CTestDialog::OnClosing(bool& cancel)
{
    m_log.push_back("OnClosing");
    cancel = m_nRefuseClosing > 0;
    m_nRefuseClosing -= cancel ? 1 : 0;
}

std::vector<std::string> TestDialogFixture::Run(std::initializer_list<std::string> prefixes)
{
    m_driver.ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    return EntriesStartingWith(m_dialog.m_log, prefixes);
}

std::vector<std::string> EntriesStartingWith(const std::vector<std::string>& log,
                                             std::initializer_list<std::string> prefixes)
{
    std::vector<std::string> entries;
    for (const std::string& entry : log)
        for (const std::string& prefix : prefixes)
            if (entry.starts_with(prefix))
                entries.push_back(entry);
    return entries;
}
