#include "J3Dialoge/DiaFavoriten.h"

#include "J3Dialoge/FavoTreeDocument.h"
#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "msgbox/Boxes.h"
#include "vkbasis/StringUtils.h"
#include "vkwpfcpp/WPFEventCall.h"
#include "vkwpfcpp/WPFKeyEvent.h"
#include "vkwpfcpp/WPFMouseButtonEvent.h"
#include "vkwpfcpp/WPFTextChangedEvent.h"
#include "winpath/AnsiLiteral.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

constexpr const char* Assembly = "j3wpfcs";
// Caption of the tab's notices and questions.
constexpr int Caption = 6;
constexpr double ButtonWidth = 196;
constexpr double ButtonHeight = 157;
constexpr int ImageSize = 80;

CString Numbered(const char* prefix, int number)
{
    CString name;
    name.Format("%s%d", prefix, number);
    return name;
}

bool IsReturn(const CWPFKeyEvent& event)
{
    return event.GetKey() == Qt::Key_Return || event.GetKey() == Qt::Key_Enter;
}

bool HasPrefix(const CString& text, const char* prefix)
{
    return text.Left(2) == prefix;
}

// Whether a stored piece holds a number, read as atoi reads one: blanks, a
// sign, then at least one digit.
bool HoldsNumber(const CString& piece)
{
    int at = 0;
    while (at < piece.GetLength() && (piece[at] == ' ' || piece[at] == '\t'))
        ++at;
    if (at < piece.GetLength() && (piece[at] == '+' || piece[at] == '-'))
        ++at;
    return at < piece.GetLength() && piece[at] >= '0' && piece[at] <= '9';
}

} // namespace

CDiaFavoriten::CDiaFavoriten(CWPFDialog* parent) : m_pDialog(parent)
{
    Load(parent, "jt/j3dialoge/DiaFavoriten", Assembly);
    m_Fluid.Attach(this, "Fluid");
    m_Tree.Attach(this, "Tree");
    m_Result.Attach(this, "Result");
    m_Suche.Attach(this, "Suche");
    m_AddFavorit.Attach(this, "AddFavorit");
    m_AddFavorit2.Attach(this, "AddFavorit2");
    m_Alle.Attach(this, "Alle");

    m_AddFavorit.DoAddOnClick(
        new CWPFEventCall<CDiaFavoriten, CWPFRoutedEvent>(this, &CDiaFavoriten::OnClickAddFavorit));
    m_AddFavorit2.DoAddOnClick(
        new CWPFEventCall<CDiaFavoriten, CWPFRoutedEvent>(this, &CDiaFavoriten::OnClickAddFavorit2));
    m_Suche.DoAddOnTextChanged(
        new CWPFEventCall<CDiaFavoriten, CWPFTextChangedEvent>(this, &CDiaFavoriten::OnTextChangedSuche));
    m_Suche.DoAddOnKeyDown(new CWPFEventCall<CDiaFavoriten, CWPFKeyEvent>(this, &CDiaFavoriten::OnKeyDownSuche));
    m_Suche.DoAddOnReturnKey(new CWPFEventCall<CDiaFavoriten, CWPFRoutedEvent>(this, &CDiaFavoriten::OnReturnKeySuche));
    m_Result.DoAddOnMouseDoubleClick(
        new CWPFEventCall<CDiaFavoriten, CWPFMouseButtonEvent>(this, &CDiaFavoriten::OnMouseDoubleClickResult));
    m_Result.DoAddOnKeyDown(new CWPFEventCall<CDiaFavoriten, CWPFKeyEvent>(this, &CDiaFavoriten::OnKeyDownResult));
    m_Tree.DoAddOnMouseDoubleClick(
        new CWPFEventCall<CDiaFavoriten, CWPFMouseButtonEvent>(this, &CDiaFavoriten::OnMouseDoubleClickTree));
    m_Tree.DoAddOnKeyDown(new CWPFEventCall<CDiaFavoriten, CWPFKeyEvent>(this, &CDiaFavoriten::OnKeyDownTree));

    m_Result.AddImageColumn("", 0, Assembly);
    m_Result.AddTextBlockColumn("Programm", 0, 0, "");
    m_Result.AddHiddenColumn();
    m_Result.AddTextBlockColumn("Bereich", 0, 0, "");
    m_Result.BindMatrix(&m_Matrix);
}

CDiaFavoriten::~CDiaFavoriten() = default;

bool CDiaFavoriten::ToAlle(const SFavoProgramm* /*programm*/)
{
    return true;
}

CString CDiaFavoriten::GetText(const SFavoProgramm* programm)
{
    return programm->pText;
}

CString CDiaFavoriten::GetImage(const SFavoProgramm* programm)
{
    return programm->pImage;
}

void CDiaFavoriten::OnClickAddFavorit(CWPFRoutedEvent& /*event*/)
{
    const CString value = m_Tree.GetSelectedValue();
    if (HasPrefix(value, "PR"))
        AddButton(IndexIn(value));
    else
        Halt(Caption, "Markieren Sie bitte zunächst ein Programm mit der linken Maustaste."_ansi, GetWidget());
}

void CDiaFavoriten::OnClickAddFavorit2(CWPFRoutedEvent& /*event*/)
{
    const int row = m_Result.GetSelectedIndex();
    if (row >= 0)
        AddButton(std::atoi(m_Matrix.GetText(row, 2)));
}

void CDiaFavoriten::CreateButtons()
{
    CFavoTreeDocument tree;
    int tabs = 0;
    int tabCategory = -1;
    for (int index = 0; m_pProgramme[index].nProgKat >= 0; ++index) {
        SFavoProgramm* programm = &m_pProgramme[index];
        const bool available = IsProgrammAvailable(programm);
        if (dbOdon32 && !available)
            continue;
        if (programm->nProgKat != tabCategory) {
            auto viewer =
                std::make_unique<CWPFScrollViewer>(Numbered("SV", tabs), VKScrollBarDisabled, VKScrollBarAuto);
            Add(CategoryName(programm->nProgKat), viewer.get());
            auto panel = std::make_unique<CWPFWrapPanel>(Numbered("WP", tabs), true);
            viewer->Add(panel.get());
            m_KatScrollViewers.push_back(std::move(viewer));
            m_KatPanels.push_back(std::move(panel));
            tabCategory = programm->nProgKat;
            ++tabs;
        }
        const CString text = GetText(programm);
        const CString image = GetImage(programm);
        if (ToAlle(programm))
            tree.AddProgramm(programm->nProgKat, CategoryName(programm->nProgKat), index, text, image, available);

        auto button = std::make_unique<CWPFVKButton>(Numbered("B2", index), 0, VKOrientationVertical, "");
        m_KatPanels.back()->Add(button.get());
        button->SetWidth(ButtonWidth);
        button->SetHeight(ButtonHeight);
        button->SetImageSize(ImageSize);
        button->SetModule(Assembly);
        button->SetImage(image);
        button->SetText(text);
        button->SetIsEnabled(available);
        button->DoAddOnClick(new CWPFEventCall<CDiaFavoriten, CWPFRoutedEvent>(this, &CDiaFavoriten::OnButton2Click));
        m_ProgButtons.push_back(std::move(button));
    }
    m_Tree.BindXML(tree.Build(), "AlleProgramme", ".");
    SetMinHeight(ButtonHeight);
}

void CDiaFavoriten::OnClosed()
{
    m_FavoButtons.clear();
    m_ProgButtons.clear();
    m_KatPanels.clear();
    m_KatScrollViewers.clear();
}

void CDiaFavoriten::AddButton(int index)
{
    if (FirstWithIndex(m_FavoButtons, index)) {
        Halt(Caption, "'" + GetText(&m_pProgramme[index]) + "' ist bereits in den Favoriten enthalten.", GetWidget());
        return;
    }
    DoAddButton(index);
    SetSelectedIndex(0);
}

void CDiaFavoriten::DoAddButton(int index)
{
    SFavoProgramm* programm = &m_pProgramme[index];
    auto button = std::make_unique<CWPFVKXButton>(Numbered("BU", index), 0, VKOrientationVertical, "");
    m_Fluid.Add(button.get());
    button->SetWidth(ButtonWidth);
    button->SetHeight(ButtonHeight);
    button->SetImageSize(ImageSize);
    button->SetModule(Assembly);
    button->SetImage(GetImage(programm));
    button->SetText(GetText(programm));
    button->SetIsEnabled(programm->bEnabled);
    button->DoAddOnClick(new CWPFEventCall<CDiaFavoriten, CWPFRoutedEvent>(this, &CDiaFavoriten::OnButtonClick));
    button->DoAddOnClickX(new CWPFEventCall<CDiaFavoriten, CWPFRoutedEvent>(this, &CDiaFavoriten::OnButtonXClick));
    m_FavoButtons.push_back(std::move(button));
}

void CDiaFavoriten::OnButtonClick(CWPFRoutedEvent& event)
{
    StartFromButton(event);
}

void CDiaFavoriten::OnButton2Click(CWPFRoutedEvent& event)
{
    StartFromButton(event);
}

void CDiaFavoriten::StartFromButton(CWPFRoutedEvent& event)
{
    StartProgramm(IndexIn(event.GetSourceName()));
}

void CDiaFavoriten::OnButtonXClick(CWPFRoutedEvent& event)
{
    CWPFWndBase* source = event.GetSource();
    const int index = IndexIn(event.GetSourceName());
    if (SollIch(Caption, "'" + GetText(&m_pProgramme[index]) + "' aus den Favoriten entfernen?", GetWidget()) !=
        BOX_YES)
        return;
    m_Fluid.Remove(source);
    auto found = std::find_if(m_FavoButtons.begin(), m_FavoButtons.end(),
                              [&](const std::unique_ptr<CWPFVKXButton>& button) { return button.get() == source; });
    if (found != m_FavoButtons.end())
        m_FavoButtons.erase(found);
}

void CDiaFavoriten::OnTextChangedSuche(CWPFTextChangedEvent& /*event*/)
{
    CString search = m_Suche.GetData();
    search.MakeLower();
    m_Matrix.Clear();
    for (int index = 0; m_pProgramme[index].nProgKat >= 0; ++index) {
        const SFavoProgramm* programm = &m_pProgramme[index];
        if (!IsProgrammAvailable(programm))
            continue;
        const CString text = GetText(programm);
        CString lower = text;
        lower.MakeLower();
        if (!search.IsEmpty() && lower.Find(search) < 0)
            continue;
        CString smallImage = GetImage(programm);
        smallImage.Replace("80", "16");
        m_Matrix.DoAdd({smallImage, text, Numbered("", index), CategoryName(programm->nProgKat)});
    }
    m_Result.AutoSizeGridViewColumns();
    // The focus stays in the box while the user types; Down takes it to the
    // list, Return starts the first row.
    m_Result.SetSelectedIndex(0);
}

void CDiaFavoriten::OnKeyDownSuche(CWPFKeyEvent& event)
{
    if (event.GetKey() != Qt::Key_Down)
        return;
    m_Result.Focus();
    event.SetHandled(true);
}

void CDiaFavoriten::OnReturnKeySuche(CWPFRoutedEvent& /*event*/)
{
    StartSelectedResult();
}

void CDiaFavoriten::OnKeyDownResult(CWPFKeyEvent& event)
{
    // Return starts the chosen program here, not the dialog's default button.
    if (!IsReturn(event))
        return;
    StartSelectedResult();
    event.SetHandled(true);
}

void CDiaFavoriten::OnKeyDownTree(CWPFKeyEvent& event)
{
    if (!IsReturn(event))
        return;
    StartSelectedTreeProgramm();
    event.SetHandled(true);
}

void CDiaFavoriten::OnMouseDoubleClickResult(CWPFMouseButtonEvent& /*event*/)
{
    StartSelectedResult();
}

void CDiaFavoriten::StartSelectedResult()
{
    const int row = m_Result.GetSelectedIndex();
    if (row < 0)
        return;
    StartProgramm(std::atoi(m_Matrix.GetText(row, 2)));
    m_Suche.Clear();
}

void CDiaFavoriten::OnMouseDoubleClickTree(CWPFMouseButtonEvent& /*event*/)
{
    StartSelectedTreeProgramm();
}

void CDiaFavoriten::StartSelectedTreeProgramm()
{
    const CString value = m_Tree.GetSelectedValue();
    if (HasPrefix(value, "PR"))
        StartProgramm(IndexIn(value));
}

bool CDiaFavoriten::LoadFavoriten(CJParPool& pool, int nr, const CString& key)
{
    m_NotOfferedFavoriten.clear();
    pool.m_strNr.Format("%3d", nr);
    pool.m_strKey = key;
    if (pool.GetByK1(0) != CVKRSet::FOUND)
        return false;
    std::vector<CString> pieces;
    SeparatedStrToVec(pool.m_strValue, '|', pieces, true);
    std::set<int> loaded;
    std::set<int> repeated;
    for (const CString& piece : pieces) {
        // A piece without a number (left by an empty place in the list) names
        // no program; read as 0 it would add the program with id 0.
        if (!HoldsNumber(piece))
            continue;
        const int id = std::atoi(piece);
        if (!loaded.insert(id).second) {
            repeated.insert(id);
            continue;
        }
        if (!AddIfOffered(id))
            // Kept for the day the program is offered again, e.g. after a
            // licence gap.
            m_NotOfferedFavoriten.push_back(id);
    }
    if (!repeated.empty()) {
        CString notice;
        notice.Format("Die gespeicherten Favoriten enthalten %d Programm(e) mehrfach; jedes wird nur einmal gezeigt.",
                      static_cast<int>(repeated.size()));
        Halt(Caption, notice, GetWidget());
    }
    return true;
}

void CDiaFavoriten::SaveFavoriten(CJParPool& pool, int nr, const CString& key)
{
    pool.m_strNr.Format("%3d", nr);
    pool.m_strKey = key;
    const bool found = pool.GetByK1(0) == CVKRSet::FOUND;
    pool.m_strValue.Empty();
    std::set<int> saved;
    for (const CString& name : m_Fluid.GetFluidItemNames())
        if (HasPrefix(name, "BU")) {
            const int id = m_pProgramme[IndexIn(name)].nProgId;
            saved.insert(id);
            pool.m_strValue.AppendFormat("%d|", id);
        }
    for (const int id : m_NotOfferedFavoriten)
        if (saved.insert(id).second)
            pool.m_strValue.AppendFormat("%d|", id);
    if (pool.m_strValue.IsEmpty())
        return;
    if (found)
        pool.Rewrite("");
    else
        pool.Write("");
}

void CDiaFavoriten::ClearFavoriten()
{
    m_Fluid.ClearChildren();
    m_FavoButtons.clear();
    m_NotOfferedFavoriten.clear();
}

void CDiaFavoriten::AddProgramm(int id)
{
    AddIfOffered(id);
}

bool CDiaFavoriten::AddIfOffered(int id)
{
    int index = 0;
    const SFavoProgramm* programm = FindProgramm(id, index);
    if (!programm || !IsProgrammAvailable(programm))
        return false;
    AddButton(index);
    return true;
}

void CDiaFavoriten::EnableProgramm(int id, bool enable)
{
    int index = 0;
    SFavoProgramm* programm = FindProgramm(id, index);
    if (!programm)
        return;
    programm->bEnabled = enable;
    if (CWPFVKXButton* favorite = FirstWithIndex(m_FavoButtons, index))
        favorite->SetIsEnabled(enable);
    if (CWPFVKButton* button = FirstWithIndex(m_ProgButtons, index))
        button->SetIsEnabled(enable);
}

void CDiaFavoriten::ShowProgramm(int id, bool show)
{
    int index = 0;
    if (!FindProgramm(id, index))
        return;
    const int visibility = show ? VKVisible : VKCollapsed;
    if (CWPFVKXButton* favorite = FirstWithIndex(m_FavoButtons, index))
        favorite->SetVisibility(visibility);
    if (CWPFVKButton* button = FirstWithIndex(m_ProgButtons, index))
        button->SetVisibility(visibility);
}

void CDiaFavoriten::RemoveProgramm(int id)
{
    int index = 0;
    SFavoProgramm* programm = FindProgramm(id, index);
    if (!programm)
        return;
    programm->bEnabled = false;
    if (CWPFVKXButton* favorite = FirstWithIndex(m_FavoButtons, index)) {
        m_Fluid.Remove(favorite);
        std::erase_if(m_FavoButtons, [&](const auto& button) { return button.get() == favorite; });
    }
    if (CWPFVKButton* button = FirstWithIndex(m_ProgButtons, index)) {
        for (const auto& panel : m_KatPanels)
            panel->Remove(button);
        std::erase_if(m_ProgButtons, [&](const auto& candidate) { return candidate.get() == button; });
    }
    m_Tree.RemoveXMLNode("*/*[@Value = \"PR" + Numbered("", index) + "\"]");
}

SFavoProgramm* CDiaFavoriten::FindProgramm(int id, int& index)
{
    for (index = 0; m_pProgramme[index].nProgKat >= 0; ++index)
        if (m_pProgramme[index].nProgId == id)
            return &m_pProgramme[index];
    return nullptr;
}

CString CDiaFavoriten::CategoryName(int category) const
{
    return m_ppszProgKat[category];
}

int CDiaFavoriten::IndexIn(const CString& name)
{
    return std::atoi(name.Mid(2));
}

template <typename Button>
Button* CDiaFavoriten::FirstWithIndex(const std::vector<std::unique_ptr<Button>>& buttons, int index)
{
    for (const auto& button : buttons)
        if (IndexIn(button->GetName()) == index)
            return button.get();
    return nullptr;
}
