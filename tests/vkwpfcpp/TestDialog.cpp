#include "TestDialog.h"

#include "vkwpfcpp/WPFEventCall.h"

CTestDialog::CTestDialog(const CString& markupKey) : CWPFDialog(markupKey, "j3wpfcs", nullptr) {}

CWPFWndBase* CTestDialog::OnInitDialog()
{
    CWPFWndBase* root = CWPFDialog::OnInitDialog();
    m_pRoot = root;
    m_log.push_back("OnInitDialog");
    m_bAttachResults[0] = m_editName.Attach(this, "VKLTEXTBOX_NAME");
    m_bAttachResults[1] = m_editFilter.Attach(this, "VKLTEXTBOX_FILTER");
    m_bAttachResults[2] = m_list.Attach(this, "VKLLISTVIEW_ITEMS");
    m_bAttachResults[3] = m_btnAdd.Attach(this, "VKBUTTON_ADD");
    m_bAttachResults[4] = m_btnFavorit.Attach(this, "VKXBUTTON_FAVORIT");
    m_bAttachResults[5] = m_textStatus.Attach(this, "VKTEXTBLOCK_STATUS");
    m_bAttachResults[6] = m_menuDelete.Attach(this, "VKMENUITEM_DELETE");
    m_bAttachResults[7] = root != nullptr && root->IsAttached();

    m_list.AddTextBlockColumn("Name", 0, 0, "");
    m_list.AddTextBlockColumn("Letzte \xC4nderung", 140, 2, "Zeitpunkt der letzten \xC4nderung");
    m_list.AddTextBlockColumn("Gr\xF6\xDF" "e", 80, 2, "");
    m_list.BindMatrix(&m_matrix);

    m_editName.DoAddOnTextChanged(
        new CWPFEventCall<CTestDialog, CWPFTextChangedEvent>(this, &CTestDialog::OnTextChangedName));
    m_editName.DoAddOnReturnKey(new CWPFEventCall<CTestDialog, CWPFRoutedEvent>(this, &CTestDialog::OnReturnName));
    m_editName.DoAddOnGotKeyboardFocus(
        new CWPFEventCall<CTestDialog, CWPFKeyboardFocusChangedEvent>(this, &CTestDialog::OnGotFocusName));
    m_editName.DoAddOnLostKeyboardFocus(
        new CWPFEventCall<CTestDialog, CWPFKeyboardFocusChangedEvent>(this, &CTestDialog::OnLostFocusName));
    m_list.DoAddOnSelectionChanged(
        new CWPFEventCall<CTestDialog, CWPFSelectionChangedEvent>(this, &CTestDialog::OnSelectionChangedItems));
    m_list.DoAddOnMouseDoubleClick(
        new CWPFEventCall<CTestDialog, CWPFMouseButtonEvent>(this, &CTestDialog::OnDoubleClickItems));
    m_list.DoAddOnColumnHeaderClick(
        new CWPFEventCall<CTestDialog, CWPFRoutedEvent>(this, &CTestDialog::OnHeaderClickItems));
    m_btnAdd.DoAddOnClick(new CWPFEventCall<CTestDialog, CWPFRoutedEvent>(this, &CTestDialog::OnClickAdd));
    m_btnFavorit.DoAddOnClick(new CWPFEventCall<CTestDialog, CWPFRoutedEvent>(this, &CTestDialog::OnClickFavorit));
    m_btnFavorit.DoAddOnClickX(new CWPFEventCall<CTestDialog, CWPFRoutedEvent>(this, &CTestDialog::OnClickFavoritX));
    m_menuDelete.DoAddOnClick(new CWPFEventCall<CTestDialog, CWPFRoutedEvent>(this, &CTestDialog::OnClickDelete));
    if (m_onInit)
        m_onInit(*this);
    return root;
}

void CTestDialog::AfterInitDialog()
{
    m_log.push_back("AfterInitDialog");
    if (m_afterInit)
        m_afterInit(*this);
}

void CTestDialog::OnContentRendered()
{
    m_log.push_back("OnContentRendered");
    if (m_onRendered)
        m_onRendered(*this);
}

void CTestDialog::OnClosing(bool& cancel)
{
    m_log.push_back("OnClosing");
    if (m_nRefuseClosing > 0) {
        --m_nRefuseClosing;
        cancel = true;
    }
}

void CTestDialog::OnExit()
{
    m_log.push_back("OnExit");
    CWPFDialog::OnExit();
}

void CTestDialog::OnSaveAndExit()
{
    m_log.push_back("OnSaveAndExit");
    CWPFDialog::OnSaveAndExit();
}

void CTestDialog::OnHelp()
{
    m_log.push_back("OnHelp");
    CWPFDialog::OnHelp();
}

void CTestDialog::OnSelect()
{
    m_log.push_back("OnSelect");
    CWPFDialog::OnSelect();
}

void CTestDialog::OnTextChangedName(CWPFTextChangedEvent& event)
{
    m_log.push_back("text " + event.GetText().str());
}

void CTestDialog::OnReturnName(CWPFRoutedEvent& event)
{
    m_log.push_back("return " + event.GetSourceName().str());
}

void CTestDialog::OnGotFocusName(CWPFKeyboardFocusChangedEvent&)
{
    m_log.push_back("got focus");
}

void CTestDialog::OnLostFocusName(CWPFKeyboardFocusChangedEvent&)
{
    m_log.push_back("lost focus");
}

void CTestDialog::OnSelectionChangedItems(CWPFSelectionChangedEvent& event)
{
    std::string entry = "selection";
    for (int row : event.GetAddedRows())
        entry += " +" + std::to_string(row);
    for (int row : event.GetRemovedRows())
        entry += " -" + std::to_string(row);
    m_log.push_back(entry);
}

void CTestDialog::OnDoubleClickItems(CWPFMouseButtonEvent& event)
{
    m_log.push_back("double click " + std::to_string(event.GetRow()));
}

void CTestDialog::OnHeaderClickItems(CWPFRoutedEvent& event)
{
    m_log.push_back("header " + std::to_string(event.GetColumnIndex()));
}

void CTestDialog::OnClickAdd(CWPFRoutedEvent& event)
{
    m_log.push_back("click " + event.GetSourceName().str());
    if (m_onAdd)
        m_onAdd(*this);
}

void CTestDialog::OnClickFavorit(CWPFRoutedEvent&)
{
    m_log.push_back("click favorit");
}

void CTestDialog::OnClickFavoritX(CWPFRoutedEvent&)
{
    m_log.push_back("remove favorit");
}

void CTestDialog::OnClickDelete(CWPFRoutedEvent&)
{
    m_log.push_back("menu delete");
}
