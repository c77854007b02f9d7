#pragma once
#include "J3Dialoge/FavoProgramm.h"
#include "J3Dialoge/FavoSettings.h"
#include "vkbasis/CString.h"
#include "vkwpfcpp/WPFFluidWrapPanel.h"
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFMenuItem.h"
#include "vkwpfcpp/WPFScrollViewer.h"
#include "vkwpfcpp/WPFTabItem.h"
#include "vkwpfcpp/WPFVKButton.h"
#include "vkwpfcpp/WPFVKLListView.h"
#include "vkwpfcpp/WPFVKLTextBox.h"
#include "vkwpfcpp/WPFVKLTreeView.h"
#include "vkwpfcpp/WPFVKTabControl.h"
#include "vkwpfcpp/WPFVKXButton.h"

#include <memory>
#include <vector>

class CJParPool;
class CWPFDialog;
class CWPFKeyEvent;
class CWPFMouseButtonEvent;
class CWPFRoutedEvent;
class CWPFTextChangedEvent;

// The favourites tab that a program of the suite places into one of its
// dialogs: the user's favourite programs as large buttons (which the user may
// drag into another order or remove), one tab of program buttons per
// category, the tree of all programs and a search over them. Clicking a
// button, or double-clicking (or Return on) a program in the tree or the
// search results, starts the program through the host; Return in the search
// box starts the first found one.
//
// The host derives from it, sets m_ppszProgKat (category names) and
// m_pProgramme (the program table, see SFavoProgramm) in its constructor,
// calls CreateButtons() once, Create() to place the tab, LoadFavoriten() for
// the user's favourites, SaveFavoriten() to keep them, and OnClosed() when
// its dialog closes.
//
// Inside the tab programs are named by their program index: favourite
// buttons "BU<index>", category buttons "B2<index>", tree programs
// "PR<index>", tree categories "PK<category>". The favourites record holds
// program ids, each followed by "|", in the order the user sees them.
class CDiaFavoriten : public CWPFVKTabControl, public CFavoSettings {
public:
    explicit CDiaFavoriten(CWPFDialog* parent);
    ~CDiaFavoriten() override;
    // The tab owns the elements it created; a copy would own them twice.
    CDiaFavoriten(const CDiaFavoriten&) = delete;
    CDiaFavoriten& operator=(const CDiaFavoriten&) = delete;

    // Whether the host offers the program. One not offered has a disabled
    // category button and a disabled tree entry, is not found by the search
    // and cannot become a favourite; in the reduced mode (dbOdon32) it has
    // neither button nor tree entry.
    virtual bool IsProgrammAvailable(const SFavoProgramm* programm) = 0;
    // Whether the program is listed in the tree of all programs.
    virtual bool ToAlle(const SFavoProgramm* programm);
    virtual void StartProgramm(int index) = 0;
    virtual CString GetText(const SFavoProgramm* programm);
    virtual CString GetImage(const SFavoProgramm* programm);
    // "Zu den Favoriten": the program chosen in the tree, or in the search
    // results.
    virtual void OnClickAddFavorit(CWPFRoutedEvent& event);
    virtual void OnClickAddFavorit2(CWPFRoutedEvent& event);

    // Builds the category tabs, their program buttons and the program tree.
    void CreateButtons();
    // Destroys every button, panel and category tab the tab created.
    void OnClosed();

    // Makes the programs stored under number and key favourites, in their
    // stored order; false when there is no such record. Stored programs not
    // offered now are not shown but kept, and saved after the shown ones; a
    // program stored more than once is shown once, with one notice in all.
    bool LoadFavoriten(CJParPool& pool, int nr, const CString& key);
    // Stores the favourites in the order the user sees them. An empty set is
    // not stored: the record keeps its former list.
    void SaveFavoriten(CJParPool& pool, int nr, const CString& key);
    void ClearFavoriten();
    // Makes the program with that id a favourite, when it is offered.
    void AddProgramm(int id);
    void EnableProgramm(int id, bool enable);
    void ShowProgramm(int id, bool show);
    // Takes the program off the tab: its buttons and its tree entry go, and a
    // later favourite button of it starts disabled.
    void RemoveProgramm(int id);

    CWPFDialog* m_pDialog;
    const char** m_ppszProgKat = nullptr;
    SFavoProgramm* m_pProgramme = nullptr;

protected:
    // The first program with that id and its index; null (index: the number
    // of programs) when there is none.
    SFavoProgramm* FindProgramm(int id, int& index);
    // Adds a favourite button unless the program already has one (a notice
    // says so); shows the favourites.
    void AddButton(int index);
    void DoAddButton(int index);

    void OnButtonClick(CWPFRoutedEvent& event);
    void OnButton2Click(CWPFRoutedEvent& event);
    void OnButtonXClick(CWPFRoutedEvent& event);
    void OnTextChangedSuche(CWPFTextChangedEvent& event);
    void OnKeyDownSuche(CWPFKeyEvent& event);
    void OnReturnKeySuche(CWPFRoutedEvent& event);
    void OnKeyDownResult(CWPFKeyEvent& event);
    void OnMouseDoubleClickResult(CWPFMouseButtonEvent& event);
    void OnMouseDoubleClickTree(CWPFMouseButtonEvent& event);
    void OnKeyDownTree(CWPFKeyEvent& event);

    CWPFMatrix<4> m_Matrix; // image, text, program index, category name
    std::vector<std::unique_ptr<CWPFVKXButton>> m_FavoButtons;
    std::vector<std::unique_ptr<CWPFScrollViewer>> m_KatScrollViewers;
    std::vector<std::unique_ptr<CWPFWrapPanel>> m_KatPanels;
    std::vector<std::unique_ptr<CWPFVKButton>> m_ProgButtons;
    CWPFVKLListView m_Result;
    CWPFVKLTreeView m_Tree;
    CWPFFluidWrapPanel m_Fluid;
    CWPFVKLTextBox m_Suche;
    CWPFMenuItem m_AddFavorit;
    CWPFMenuItem m_AddFavorit2;
    CWPFTabItem m_Alle;
    // Ids of the loaded favourites that are not offered, in stored order.
    std::vector<int> m_NotOfferedFavoriten;

private:
    // Adds a favourite button when the program is offered; false when not.
    bool AddIfOffered(int id);
    CString CategoryName(int category) const;
    // The program index in an element's name or a tree value ("BU12": 12).
    static int IndexIn(const CString& name);
    void StartFromButton(CWPFRoutedEvent& event);
    // Starts the program of the chosen search result and empties the search.
    void StartSelectedResult();
    // Starts the program chosen in the tree; a category starts nothing.
    void StartSelectedTreeProgramm();
    template <typename Button>
    static Button* FirstWithIndex(const std::vector<std::unique_ptr<Button>>& buttons, int index);
};
