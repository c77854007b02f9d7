#pragma once
#include <cstdlib>
#include <memory>
#include <vector>

#include "J3Dialoge/FileAttributes.h"
#include "J3Dialoge/WPFJ3Dialog.h"
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFVKButton.h"
#include "vkwpfcpp/WPFVKLListView.h"
#include "vkwpfcpp/WPFVKLTextBox.h"
#include "win32/CommDlg.h"

class CWPFKeyEvent;
class CWPFMouseButtonEvent;
class CWPFRoutedEvent;
class CWPFSelectionChangedEvent;
class QTimer;

// The open/save dialog over the database file store, with the programming
// interface of the common file dialog: parameters and results live in an
// OPENFILENAMEA record (GetOFN()), results are read with GetPathName() and
// its companions after DoModal() returned 1.
//
//     CDBFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, "Briefe|*.txt||", parent, 0, 0);
//     dialog.SetAllowDirChanges(false, true);
//     dialog.GetOFN().lpstrInitialDir = "C:\\J3\\Daten\\Briefe";
//     if (dialog.DoModal() == 1) ... dialog.GetMultipleSelectedFiles() ...
//
// Only OFN_ALLOWMULTISELECT changes the behaviour; open mode always demands
// an existing file, save mode asks no overwrite question (SetAllowOverwrite
// decides), lpstrTitle, nFilterIndex and lpstrDefExt are not used.
//
// Choices made here:
// - lpstrInitialDir left null opens the dialog at the display root, the list
//   of the allowed roots, as an empty text does.
// - An initial directory outside every allowed root is refused like a
//   missing one: the dialog never shows what lies outside its roots.
// - A chosen path that does not lie within an allowed root (a name at the
//   display root, an initial file name that climbs out with "..") is
//   refused with the notice that lists the allowed roots; a result is
//   always a path within a root, without "." or ".." elements.
// - A chosen path that does not fit into lpstrFile (nMaxFile bytes with two
//   terminating zeros) or whose name does not fit into lpstrFileTitle is
//   refused with a notice instead of being handed back cut short.
// - The record is allocated with at least sizeof(OPENFILENAMEA) bytes, so a
//   caller's smaller size (88, the size of the 32-bit record) is stored in
//   lStructSize but never makes the dialog write beyond its allocation.
// - Without a parent window the application's display name takes the
//   parent's place in the title ("Dateiauswahl: Datei öffnen (DB)").
// - The entries of the current directory are kept once, compactly; the
//   rows are a vector of entry indices in display order (row index to
//   entry), and a row's texts are made only when it is painted. A re-sort
//   reorders the indices.
// - A large directory shows its first screen at once (in the default order,
//   which the store gives directly) and is read whole off the window's
//   thread while the window keeps answering and the list shows a busy
//   cursor; the rest is then added below the rows shown, whose selection
//   stays. In another order, after a header click meanwhile, or after a
//   header click on a listing too large to sort at once (more than 250,000
//   entries), the directory is read anew and the list stays empty until
//   the whole listing is sorted. So the rows, the row map
//   and the selection always describe the same listing. A listing no longer
//   wanted (the folder changed, the dialog closed) is cancelled at once.
// - The real path of a root in another case than the root's own spelling
//   ("c:\j3\daten\briefe" for the root "C:\J3\Daten") is that root, as
//   the store sees it: it shows as the root's display path, and up leads
//   from it to the display root.
// - As desktop file dialogs do: the header shows the sort column and
//   direction; typing letters in the list selects the next name that
//   starts with them; Backspace goes up where the up button is enabled;
//   Return on a directory enters it. The column widths and the sort order
//   are kept beside the window placement, per workstation, under the key
//   "dlv" + dialog number + workstation ("criterion|ascending", followed by
//   "|width" per column once the user sized the columns by hand).
// - The markup comes from the process-wide resource library, so there is no
//   resource module to switch; hInstance is the module of this library.
class CDBFileDialog : public CWPFJ3Dialog {
public:
    using SelectedFiles = std::vector<DBFileEntry>;

    // structSize 0 stands for 88. vistaStyle is accepted and ignored.
    CDBFileDialog(int bOpenFileDialog, const char* defaultExtension, const char* fileName, unsigned long flags,
                  const char* filter, QWidget* parent, unsigned long structSize, int vistaStyle);
    // Deletes the placeholder files of directories created in the dialog
    // that the store still holds.
    ~CDBFileDialog() override;

    // Before the run: allowDirUp lets the user leave the initial directory,
    // allowDirDown lets him enter (and see) its subdirectories.
    void SetAllowDirChanges(bool allowDirUp, bool allowDirDown);
    // Save mode: whether an existing file may be named (default true).
    void SetAllowOverwrite(bool allow);
    void AddAllowedRootDir(const CString& realPath, const CString& displayName);
    void RemoveAllowedRootDir(const CString& realPath);

    OPENFILENAMEA& GetOFN() { return *m_pOFN; }
    const OPENFILENAMEA& GetOFN() const { return *m_pOFN; }

    // Makes a directory of the store current and shows it; false (nothing
    // changes) when the store does not know it or it lies outside every
    // allowed root. The empty path is the display root.
    bool SetCurrentDir(const winpath::path& dir);
    bool SetCurrentDir(const CString& dir);

    // Why the dialog would refuse to open at lpstrInitialDir, or with its
    // filter text (the text of its error box); empty when it opens.
    CString InitialDirRefusal() const;
    // False while the current directory is still being read.
    bool IsListingRead() const;

    CWPFWndBase* OnInitDialog() override;
    // Cancel: ends with 2, the record unchanged.
    void OnExit() override;
    // The commit: checks the name in the file box and ends with 1, or
    // refuses with a notice and stays open.
    void OnSaveAndExit() override;
    // Keeps the list's column widths and sort order.
    void OnClosing(bool& cancel) override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    // The chosen entries of a multiple selection, in the order selected.
    const SelectedFiles& GetMultipleSelectedFiles() const { return m_multipleSelectedFiles; }

private:
    struct SRecordFree {
        void operator()(OPENFILENAMEA* record) const { std::free(record); } // NOLINT(cppcoreguidelines-no-malloc)
    };
    using RecordPtr = std::unique_ptr<OPENFILENAMEA, SRecordFree>;

    // Zeroed, at least sizeof(OPENFILENAMEA) bytes; lStructSize as asked.
    static RecordPtr AllocateRecord(unsigned long structSize);
    CString InitialDirText() const;

    bool IsMultiSelect() const;
    bool IsDirFixed() const;
    void BindControls();
    void RegisterHandlers();
    void SetUpControlsForMode();
    bool RefuseInitialDir();

    void UpdateUI(bool refill);
    // Reads the current directory; a large one is read on while the window
    // answers, and shown when done.
    void StartListing();
    // Shows the whole listing once read; when it begins with the rows
    // shown, they stay and the rest is added below them.
    void TakeFinishedListing();
    // Cancels the listing being read, if any.
    void StopListing();
    // Brings the rows and what depends on them up to date.
    void ShowListing();
    // Shows the entries in the order of the row map.
    void FillUIListe();
    CString CellText(int row, int column) const;
    bool IsDirUpAllowed() const;
    void GoUp();
    void RestoreListLayout();
    CString ListLayout() const;
    void UpdateAttributesOfMultipleSelectedUIElements();
    void UpdateBtnDirUp();
    void UpdateBtnDirDown();
    void UpdateCurrentFileEdit();
    DBFileEntry GetAttributesOfCurrentUIElement() const;
    void SetCurrentDirToSelectedUIElement();
    bool SetCurrentDirToCurrentDirEditValue();
    // The selected row's entry when it passes the type filter.
    bool TakeSelectableRow(int row, SelectedFiles& selection) const;
    // Lists the current directory again after a refused or failed creation.
    void ShowCurrentDirAgain();

    void OnSelectionChangedLListe(CWPFSelectionChangedEvent& event);
    void OnMouseDoubleClickLListe(CWPFMouseButtonEvent& event);
    void OnGridViewColumnHeaderClickLListe(CWPFRoutedEvent& event);
    void OnClickBtnDirUp(CWPFRoutedEvent& event);
    void OnClickBtnDirDown(CWPFRoutedEvent& event);
    void OnClickBtnDirNew(CWPFRoutedEvent& event);
    void OnKeyDownLListe(CWPFKeyEvent& event);
    void OnReturnEditCurrentDir(CWPFRoutedEvent& event);
    void OnReturnEditCurrentFile(CWPFRoutedEvent& event);
    // Save mode: offers to create the typed directory; true when it became current.
    bool OfferToCreateTypedDir(const winpath::path& displayPath);

    // The refusals of the commit, each with its notice; true when refused.
    bool IsNameRefused(const CString& name) const;
    bool IsTypeRefused(const CString& name) const;
    bool IsResultRefused(const winpath::path& real) const;
    void UpdateOFNFromFilePath(const CString& path);
    CString DisplayText(const winpath::path& real) const;

    RecordPtr m_pOFN;
    int m_bOpenFileDialog;
    char m_szFileTitle[256] = {};
    char m_szFileName[260] = {};
    CWPFMatrix<3> m_matrixListe;
    CWPFVKLListView m_lListe;
    CWPFVKButton m_btnDirNew;
    CWPFVKButton m_btnDirUp;
    CWPFVKButton m_btnDirDown;
    CWPFVKLTextBox m_editCurrentDir;
    CWPFVKLTextBox m_editCurrentFile;
    bool m_allowOverwrite = true;
    // The path model, the sorter, the type filter, the entries and rows shown,
    // the directory creator and the listing being read: the dialog's own
    // helpers, kept out of this header.
    struct SListState;
    std::unique_ptr<SListState> m_state;
    SelectedFiles m_multipleSelectedFiles;
    std::unique_ptr<QTimer> m_listingPoll;
};

// The parameters of J3GetPathNameFromDBFileDialog, in this order.
struct SDBFileDialogParams {
    int openFileDialog;
    const char* defaultExtension;
    const char* fileName;
    unsigned int flags;
    const char* filter;
    QWidget* parentWindow;
    unsigned int structSize;
    int vistaStyle;
    const char* initialDir; // null: the display root
    bool allowDirUp;
    bool allowDirDown;
};

// Runs a file dialog with the standard roots and returns the chosen real
// path; the empty text on cancel, refusal or a multiple selection.
extern "C" __attribute__((visibility("default"))) CString J3GetPathNameFromDBFileDialog(SDBFileDialogParams params);
