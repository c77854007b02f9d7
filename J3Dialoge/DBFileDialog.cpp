#include "J3Dialoge/DBFileDialog.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <new>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include "J3Dialoge/DBDirectoryCreator.h"
#include "J3Dialoge/DBDirectoryEntries.h"
#include "J3Dialoge/DBDirectoryListing.h"
#include "J3Dialoge/DBEntrySorter.h"
#include "J3Dialoge/DBFilePathModel.h"
#include "J3Dialoge/DBFileRowTexts.h"
#include "J3Dialoge/DBFileTypeFilter.h"
#include "j3params/J3Params.h"
#include "msgbox/Boxes.h"
#include "vkbasis/StringUtils.h"
#include "vkdb/DBFileFunctions.h"
#include "vkwpfcpp/WPFEventCall.h"
#include "vkwpfcpp/WPFKeyEvent.h"
#include "vkwpfcpp/WPFMouseButtonEvent.h"
#include "vkwpfcpp/WPFSelectionChangedEvent.h"
#include "vkwpfcpp/WPFText.h"
#include "win32/LibraryLoader.h"
#include "winpath/AnsiCodePage.h"
#include "winpath/AnsiLiteral.h"
#include "winpath/WindowsNameRules.h"

namespace {

constexpr DWORD kDefaultStructSize = 88;
// An address inside this library, to find its module handle by.
constexpr char kModuleAnchor = 0;
constexpr const char* kRefusedToOpen = "Dateiauswahl kann nicht geöffnet werden"_ansi;
constexpr const char* kDirNotFound = "Verzeichnis nicht gefunden";
// The list's sort order and column widths, kept beside the placement.
constexpr const char* kListLayoutKey = "dlv";
// How often a listing read off the window's thread is looked after.
constexpr int kListingPollMs = 5;
// Entries sorted within about 60 ms on an idle machine.
constexpr std::size_t kSortWhileWaitingUpTo = 250'000;

void CopyTruncated(char* buffer, std::size_t capacity, const std::string& text)
{
    if (!buffer || capacity == 0)
        return;
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

void SetButtonIcon(CWPFVKButton& button, QStyle::StandardPixmap pixmap)
{
    if (auto* widget = qobject_cast<QAbstractButton*>(button.GetWidget()))
        widget->setIcon(widget->style()->standardIcon(pixmap, nullptr, widget));
}

CString Quoted(const CString& text)
{
    return "\"" + text + "\"";
}

} // namespace

CDBFileDialog::CDBFileDialog(int bOpenFileDialog, const char* defaultExtension, const char* fileName,
                             unsigned long flags, const char* filter, QWidget* parent, unsigned long structSize,
                             int /*vistaStyle*/)
    : CWPFJ3Dialog("jt/j3dialoge/DiaDBFileDialog", "j3wpfcs", parent), m_pOFN(AllocateRecord(structSize)),
      m_bOpenFileDialog(bOpenFileDialog), m_state(std::make_unique<SListState>(&m_pOFN->lpstrFilter)),
      m_listingPoll(std::make_unique<QTimer>())
{
    m_listingPoll->setInterval(kListingPollMs);
    QObject::connect(m_listingPoll.get(), &QTimer::timeout, [this] { TakeFinishedListing(); });
    SetHelpName(__FILE__);

    OPENFILENAMEA& ofn = *m_pOFN;
    ofn.hInstance = ModuleHandleOfAddress(&kModuleAnchor);
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = m_szFileName;
    ofn.nMaxFile = sizeof(m_szFileName);
    ofn.lpstrFileTitle = m_szFileTitle;
    ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    ofn.Flags = static_cast<DWORD>(flags) | OFN_ENABLEHOOK | OFN_EXPLORER;
    if (flags & OFN_ENABLETEMPLATE)
        ofn.Flags &= ~OFN_ENABLESIZING;
    ofn.lpstrDefExt = defaultExtension;
    if (fileName)
        CopyTruncated(m_szFileName, sizeof(m_szFileName), fileName);

    AddAllowedRootDir(GetJ3DataPath(0), "data");
    AddAllowedRootDir(GetJ3QAPath(), "qa");
}

struct CDBFileDialog::SListState {
    explicit SListState(const char* const* filter) : typeFilter(filter), directoryCreator(model) {}

    // Allowed roots, direction flags and the current directory.
    CDBFilePathModel model;
    CDBEntrySorter sorter;
    CDBFileTypeFilter typeFilter;
    CDBDirectoryEntries elementsToDisplay;
    // Row index to the index of the entry shown in that row.
    CDBEntrySorter::RowOrder uiRowToPath;
    // Writes and, at the end, removes the placeholders of new directories.
    CDBDirectoryCreator directoryCreator;
    // The listing of the current directory while it is read.
    std::unique_ptr<CDBDirectoryListing> pendingListing;

    // Whether this listing in this order begins with the rows shown.
    bool StartsWithShownRows(const CDBDirectoryEntries& entries, const CDBEntrySorter::RowOrder& order) const;
};

bool CDBFileDialog::SListState::StartsWithShownRows(const CDBDirectoryEntries& entries,
                                                    const CDBEntrySorter::RowOrder& order) const
{
    if (order.size() < uiRowToPath.size())
        return false;
    for (std::size_t row = 0; row < uiRowToPath.size(); ++row) {
        const std::uint32_t shown = uiRowToPath[row];
        if (entries.Name(order[row]) != elementsToDisplay.Name(shown) ||
            !(entries.Attributes(order[row]) == elementsToDisplay.Attributes(shown)))
            return false;
    }
    return true;
}

CDBFileDialog::~CDBFileDialog() = default;

bool CDBFileDialog::IsListingRead() const
{
    return !m_state->pendingListing;
}

CDBFileDialog::RecordPtr CDBFileDialog::AllocateRecord(unsigned long structSize)
{
    const DWORD size = structSize == 0 ? kDefaultStructSize : static_cast<DWORD>(structSize);
    // A zeroed record of the caller's size, which may be larger than ours.
    void* record =
        std::calloc(1, std::max<std::size_t>(size, sizeof(OPENFILENAMEA))); // NOLINT(cppcoreguidelines-no-malloc)
    if (!record)
        throw std::bad_alloc();
    RecordPtr result(static_cast<OPENFILENAMEA*>(record));
    result->lStructSize = size;
    return result;
}

void CDBFileDialog::SetAllowDirChanges(bool allowDirUp, bool allowDirDown)
{
    m_state->model.SetAllowDirChanges(allowDirUp, allowDirDown);
}

void CDBFileDialog::SetAllowOverwrite(bool allow)
{
    m_allowOverwrite = allow;
}

void CDBFileDialog::AddAllowedRootDir(const CString& realPath, const CString& displayName)
{
    m_state->model.AddAllowedRootDir(realPath, displayName);
}

void CDBFileDialog::RemoveAllowedRootDir(const CString& realPath)
{
    m_state->model.RemoveAllowedRootDir(realPath);
}

bool CDBFileDialog::SetCurrentDir(const winpath::path& dir)
{
    if (!m_state->model.SetCurrentDir(dir))
        return false;
    UpdateUI(true);
    return true;
}

bool CDBFileDialog::SetCurrentDir(const CString& dir)
{
    return SetCurrentDir(winpath::path(dir.str()));
}

bool CDBFileDialog::IsMultiSelect() const
{
    return (m_pOFN->Flags & OFN_ALLOWMULTISELECT) != 0;
}

bool CDBFileDialog::IsDirFixed() const
{
    return !m_state->model.AllowDirUp() && !m_state->model.AllowDirDown();
}

CString CDBFileDialog::InitialDirText() const
{
    return CString(m_pOFN->lpstrInitialDir);
}

// ---------------------------------------------------------------- start

CWPFWndBase* CDBFileDialog::OnInitDialog()
{
    CWPFJ3Dialog::OnInitDialog();
    if (RefuseInitialDir())
        return nullptr;

    BindControls();
    RegisterHandlers();
    SetUpControlsForMode();
    RestoreListLayout();
    SetCurrentDir(InitialDirText());
    m_lListe.Focus();
    if (m_pOFN->lpstrFile && m_pOFN->lpstrFile[0] != '\0')
        m_editCurrentFile.SetData(m_pOFN->lpstrFile);
    return nullptr;
}

bool CDBFileDialog::RefuseInitialDir()
{
    const CString refusal = InitialDirRefusal();
    if (refusal.IsEmpty())
        return false;
    HaltE(kRefusedToOpen, refusal, GetWindow());
    EndDialog(2);
    return true;
}

CString CDBFileDialog::InitialDirRefusal() const
{
    if (m_state->typeFilter.IsTextTooLong()) {
        CString text;
        text.Format("Der Dateifilter ist länger als %d Zeichen; der Dialog kann nicht geöffnet werden."_ansi,
                    static_cast<int>(CDBFileTypeFilter::MaxTextLength));
        return text;
    }
    const CString initialDir = InitialDirText();
    const winpath::path dir(initialDir.str());
    if (dir.empty()) {
        // The display root offers something only when a root holds an entry.
        const auto& roots = m_state->model.AllowedRootDirs();
        if (std::any_of(roots.begin(), roots.end(),
                        [](const auto& root) { return CDBFilePathModel::FileOrDirExistsDB(root.first); }))
            return CString();
        return "Es können keine Dateien ausgewählt werden, da in der Datenbank noch keine Dateien "_ansi
               "gespeichert sind.";
    }
    if (!m_state->model.AllowedRootDirForRealPath(dir.lexically_normal()).empty() &&
        CDBFilePathModel::FileOrDirExistsDB(dir))
        return CString();
    return "Das Verzeichnis " + initialDir + " existiert nicht in der Datenbank.";
}

void CDBFileDialog::BindControls()
{
    m_lListe.Attach(this, "VKLLISTVIEW_FILELIST");
    m_btnDirNew.Attach(this, "VKBUTTON_DIRNEW");
    m_btnDirUp.Attach(this, "VKBUTTON_DIRUP");
    m_btnDirDown.Attach(this, "VKBUTTON_DIRDOWN");
    m_editCurrentDir.Attach(this, "VKLTEXTBOX_CURRENTDIR");
    m_editCurrentFile.Attach(this, "VKLTEXTBOX_CURRENTFILE");

    SetButtonIcon(m_btnDirNew, QStyle::SP_FileDialogNewFolder);
    SetButtonIcon(m_btnDirUp, QStyle::SP_FileDialogToParent);
    SetButtonIcon(m_btnDirDown, QStyle::SP_DirOpenIcon);

    m_lListe.AddTextBlockColumn("Datei", 0, 0, "");
    m_lListe.AddTextBlockColumn("Letzte Änderung"_ansi, 0, 2, "");
    m_lListe.AddTextBlockColumn("Größe"_ansi, 0, 2, "");
    m_lListe.BindMatrix(&m_matrixListe);
}

void CDBFileDialog::RegisterHandlers()
{
    using Self = CDBFileDialog;
    m_lListe.DoAddOnSelectionChanged(
        new CWPFEventCall<Self, CWPFSelectionChangedEvent>(this, &Self::OnSelectionChangedLListe));
    m_lListe.DoAddOnMouseDoubleClick(
        new CWPFEventCall<Self, CWPFMouseButtonEvent>(this, &Self::OnMouseDoubleClickLListe));
    m_lListe.DoAddOnColumnHeaderClick(
        new CWPFEventCall<Self, CWPFRoutedEvent>(this, &Self::OnGridViewColumnHeaderClickLListe));
    m_btnDirUp.DoAddOnClick(new CWPFEventCall<Self, CWPFRoutedEvent>(this, &Self::OnClickBtnDirUp));
    m_btnDirDown.DoAddOnClick(new CWPFEventCall<Self, CWPFRoutedEvent>(this, &Self::OnClickBtnDirDown));
    m_editCurrentDir.DoAddOnReturnKey(new CWPFEventCall<Self, CWPFRoutedEvent>(this, &Self::OnReturnEditCurrentDir));
    m_editCurrentFile.DoAddOnReturnKey(new CWPFEventCall<Self, CWPFRoutedEvent>(this, &Self::OnReturnEditCurrentFile));
    m_btnDirNew.DoAddOnClick(new CWPFEventCall<Self, CWPFRoutedEvent>(this, &Self::OnClickBtnDirNew));
    m_lListe.DoAddOnKeyDown(new CWPFEventCall<Self, CWPFKeyEvent>(this, &Self::OnKeyDownLListe));
}

void CDBFileDialog::SetUpControlsForMode()
{
    // The selection mode is set before the first listing, so that the
    // preselected row is a selection of the final mode.
    QWidget* parent = GetParentWindow();
    const CString prefix =
        CWPFText::FromQString(parent ? parent->windowTitle() : QApplication::applicationDisplayName());
    if (m_bOpenFileDialog) {
        SetTitle(prefix + (IsMultiSelect() ? ": Datei(en) öffnen (DB)"_ansi : ": Datei öffnen (DB)"_ansi));
        m_editCurrentFile.SetIsReadOnly(true);
        m_lListe.SetSelectionMode(IsMultiSelect() ? VKSelectionExtended : VKSelectionSingle);
        m_btnDirNew.SetVisibility(VKCollapsed);
    } else {
        SetTitle(prefix + ": Speichern unter (DB)");
        m_editCurrentFile.SetIsReadOnly(false);
        m_btnDirNew.SetVisibility(IsDirFixed() ? VKCollapsed : VKVisible);
    }
    m_editCurrentDir.SetIsReadOnly(IsDirFixed());
}

// ---------------------------------------------------------------- list

void CDBFileDialog::UpdateUI(bool refill)
{
    m_editCurrentDir.SetData(DisplayText(m_state->model.CurrentDir()));
    // A listing being read, or one too large to sort while the window
    // waits, is read anew and sorted off the window's thread.
    if (refill || m_state->pendingListing || m_state->elementsToDisplay.size() > kSortWhileWaitingUpTo)
        StartListing();
    else
        m_state->uiRowToPath = m_state->sorter.SortElementsForDisplay(m_state->elementsToDisplay);
    ShowListing();
}

void CDBFileDialog::StartListing()
{
    // The listing of the directory left is cancelled and waited for, so no
    // two full reads ever run at once.
    StopListing();
    auto listing = std::make_unique<CDBDirectoryListing>(m_state->model, m_pOFN->lpstrFilter, m_state->sorter);
    if (listing->IsRead()) {
        listing->TakeListing(m_state->sorter, m_state->elementsToDisplay, m_state->uiRowToPath);
        return;
    }
    listing->TakeFirstScreen(m_state->sorter, m_state->elementsToDisplay, m_state->uiRowToPath);
    m_state->pendingListing = std::move(listing);
    m_listingPoll->start();
    if (QWidget* list = m_lListe.GetWidget())
        list->setCursor(Qt::BusyCursor);
}

void CDBFileDialog::TakeFinishedListing()
{
    if (!m_state->pendingListing)
        return;
    // The first tick comes after the first screen is painted.
    m_state->pendingListing->ReadRest();
    if (!m_state->pendingListing->IsRead())
        return;
    CDBDirectoryEntries entries;
    CDBEntrySorter::RowOrder order;
    m_state->pendingListing->TakeListing(m_state->sorter, entries, order);
    StopListing();
    const bool firstRowsStay = !m_state->uiRowToPath.empty() && m_state->StartsWithShownRows(entries, order);
    m_state->elementsToDisplay = std::move(entries);
    m_state->uiRowToPath = std::move(order);
    if (!firstRowsStay) {
        ShowListing();
        return;
    }
    // The rows shown, and what the user chose among them, stay.
    m_matrixListe.ExtendRows(static_cast<int>(m_state->uiRowToPath.size()));
    UpdateAttributesOfMultipleSelectedUIElements();
}

void CDBFileDialog::StopListing()
{
    m_listingPoll->stop();
    m_state->pendingListing.reset();
    if (QWidget* list = m_lListe.GetWidget())
        list->unsetCursor();
}

void CDBFileDialog::ShowListing()
{
    FillUIListe();
    UpdateAttributesOfMultipleSelectedUIElements();
    UpdateBtnDirUp();
    UpdateBtnDirDown();
    UpdateCurrentFileEdit();
}

void CDBFileDialog::FillUIListe()
{
    // The view is given the rows a batch at a time as it scrolls: laying out
    // a million rows at once would stop the window for half a second.
    m_matrixListe.SetRowsInBatches(static_cast<int>(m_state->uiRowToPath.size()),
                                   [this](int row, int column) { return CellText(row, column); });
    m_lListe.SetSortIndicator(m_state->sorter.SortCriteria(), m_state->sorter.SortAscending());
    m_lListe.AutoSizeGridViewColumns();

    // In save mode a preselected file would write its name over the one the
    // user is about to type.
    const bool firstRowChosen =
        !m_state->uiRowToPath.empty() &&
        (m_bOpenFileDialog || m_state->elementsToDisplay.Attributes(m_state->uiRowToPath.front()).isDirectory);
    m_lListe.SetSelectedIndex(firstRowChosen ? 0 : -1);
}

CString CDBFileDialog::CellText(int row, int column) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_state->uiRowToPath.size())
        return {};
    const std::uint32_t entry = m_state->uiRowToPath[static_cast<std::size_t>(row)];
    return CDBFileRowTexts::Cell(column, m_state->elementsToDisplay.Name(entry),
                                 m_state->elementsToDisplay.Attributes(entry));
}

bool CDBFileDialog::TakeSelectableRow(int row, SelectedFiles& selection) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_state->uiRowToPath.size())
        return false;
    const std::uint32_t entry = m_state->uiRowToPath[static_cast<std::size_t>(row)];
    if (!m_state->typeFilter.FileMatchesAnyFilter(m_state->elementsToDisplay.Name(entry)))
        return false;
    selection.push_back(m_state->elementsToDisplay.Entry(entry));
    return true;
}

void CDBFileDialog::UpdateAttributesOfMultipleSelectedUIElements()
{
    SelectedFiles selection;
    if (IsMultiSelect()) {
        for (int row : m_lListe.GetSelectedItems())
            TakeSelectableRow(row, selection);
    } else {
        TakeSelectableRow(m_lListe.GetSelectedIndex(), selection);
    }
    m_multipleSelectedFiles = std::move(selection);
}

void CDBFileDialog::UpdateBtnDirUp()
{
    m_btnDirUp.SetIsEnabled(IsDirUpAllowed());
}

bool CDBFileDialog::IsDirUpAllowed() const
{
    const winpath::path initialDir = CDBFilePathModel::RemoveTrailingSeparator(InitialDirText());
    if (!m_state->model.AllowDirUp() && CDBFilePathModel::IsSamePath(m_state->model.CurrentDir(), initialDir))
        return false;
    return !CDBFilePathModel::IsDisplayPathRoot(m_state->model.RealPathToDisplayPath(m_state->model.CurrentDir()));
}

void CDBFileDialog::UpdateBtnDirDown()
{
    m_btnDirDown.SetIsEnabled(m_state->model.AllowDirDown() && GetAttributesOfCurrentUIElement().second.isDirectory);
}

void CDBFileDialog::UpdateCurrentFileEdit()
{
    if (m_multipleSelectedFiles.empty())
        return;
    if (m_multipleSelectedFiles.size() == 1) {
        const DBFileEntry& entry = m_multipleSelectedFiles.front();
        if (!entry.second.isDirectory)
            m_editCurrentFile.SetData(CString(entry.first.filename().string()));
        return;
    }
    CString names;
    for (const DBFileEntry& entry : m_multipleSelectedFiles)
        if (!entry.second.isDirectory)
            names += Quoted(CString(entry.first.filename().string())) + " ";
    names.TrimRight(' ');
    m_editCurrentFile.SetData(names);
}

DBFileEntry CDBFileDialog::GetAttributesOfCurrentUIElement() const
{
    const int row = m_lListe.GetSelectedIndex();
    if (row < 0 || static_cast<std::size_t>(row) >= m_state->uiRowToPath.size())
        return {};
    return m_state->elementsToDisplay.Entry(m_state->uiRowToPath[static_cast<std::size_t>(row)]);
}

void CDBFileDialog::SetCurrentDirToSelectedUIElement()
{
    SetCurrentDir(GetAttributesOfCurrentUIElement().first);
}

bool CDBFileDialog::SetCurrentDirToCurrentDirEditValue()
{
    const winpath::path displayPath(m_editCurrentDir.GetData().str());
    const winpath::path real = m_state->model.DisplayPathToRealPath(displayPath);
    if (!m_state->model.IsDirChangeAllowed(real, InitialDirText()))
        return false;
    if (CDBFilePathModel::IsDisplayPathRoot(displayPath))
        return SetCurrentDir(winpath::path());
    return !real.empty() && SetCurrentDir(real);
}

CString CDBFileDialog::DisplayText(const winpath::path& real) const
{
    return CString(m_state->model.RealPathToDisplayPath(real).string());
}

void CDBFileDialog::ShowCurrentDirAgain()
{
    SetCurrentDir(m_state->model.CurrentDir());
}

// ---------------------------------------------------------------- events

void CDBFileDialog::OnSelectionChangedLListe(CWPFSelectionChangedEvent&)
{
    UpdateBtnDirDown();
    UpdateAttributesOfMultipleSelectedUIElements();
    UpdateCurrentFileEdit();
}

void CDBFileDialog::OnMouseDoubleClickLListe(CWPFMouseButtonEvent&)
{
    if (GetAttributesOfCurrentUIElement().second.isDirectory)
        SetCurrentDirToSelectedUIElement();
    else
        OnSaveAndExit();
}

void CDBFileDialog::OnGridViewColumnHeaderClickLListe(CWPFRoutedEvent& event)
{
    const int column = event.GetColumnIndex();
    if (column < CDBEntrySorter::SORT_BY_NAME || column > CDBEntrySorter::SORT_BY_SIZE)
        return;
    m_state->sorter.SetSortCriteria(static_cast<CDBEntrySorter::ESortCriteria>(column));
    UpdateUI(false);
}

void CDBFileDialog::OnClickBtnDirUp(CWPFRoutedEvent&)
{
    GoUp();
}

void CDBFileDialog::GoUp()
{
    // A root spelt in another case is still that root.
    const winpath::path& current = m_state->model.CurrentDir();
    const winpath::path root = m_state->model.AllowedRootDirForRealPath(current);
    const bool atRoot = !root.empty() && CDBFilePathModel::IsSamePath(current, root);
    SetCurrentDir(atRoot ? winpath::path() : current.parent_path());
}

void CDBFileDialog::OnKeyDownLListe(CWPFKeyEvent& event)
{
    switch (event.GetKey()) {
    case Qt::Key_Backspace:
        if (IsDirUpAllowed())
            GoUp();
        event.SetHandled(true);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Several rows chosen are a choice to commit, even with a directory among them.
        if (m_lListe.GetSelectedItems().size() == 1 && GetAttributesOfCurrentUIElement().second.isDirectory) {
            SetCurrentDirToSelectedUIElement();
            event.SetHandled(true);
        }
        break;
    default:
        break;
    }
}

void CDBFileDialog::OnClickBtnDirDown(CWPFRoutedEvent&)
{
    SetCurrentDirToSelectedUIElement();
}

void CDBFileDialog::OnReturnEditCurrentFile(CWPFRoutedEvent&)
{
    OnSaveAndExit();
}

void CDBFileDialog::OnReturnEditCurrentDir(CWPFRoutedEvent&)
{
    if (IsDirFixed() || SetCurrentDirToCurrentDirEditValue())
        return;
    const winpath::path displayPath = CDBFilePathModel::RemoveTrailingSeparator(m_editCurrentDir.GetData());
    if (!m_bOpenFileDialog && OfferToCreateTypedDir(displayPath))
        return;
    ShowCurrentDirAgain();
    HaltI(kDirNotFound, "Das angegebene Verzeichnis existiert nicht in der Datenbank!", GetWindow());
}

bool CDBFileDialog::OfferToCreateTypedDir(const winpath::path& displayPath)
{
    const winpath::path real = m_state->model.DisplayPathToRealPath(displayPath);
    if (!m_state->model.IsDirChangeAllowed(real, InitialDirText()))
        return false;
    if (!m_state->directoryCreator.ValidateCreationPath(real)) {
        m_state->directoryCreator.OnCreationPathValidationFailed(GetWindow());
        ShowCurrentDirAgain();
        return true;
    }
    const CString question = "Das Verzeichnis " + Quoted(CString(displayPath.string())) +
                             " existiert nicht in der Datenbank. Soll es erstellt werden?";
    if (SollIch(kDirNotFound, question, GetWindow()) != BOX_YES) {
        ShowCurrentDirAgain();
        return true;
    }
    if (!m_state->directoryCreator.CreateDummyFile(real)) {
        CDBDirectoryCreator::OnDirCreationFailed(GetWindow());
        ShowCurrentDirAgain();
        return true;
    }
    return SetCurrentDir(real);
}

void CDBFileDialog::OnClickBtnDirNew(CWPFRoutedEvent&)
{
    if (SollIch("Verzeichnis erstellen", "Neues Verzeichnis erstellen?", GetWindow()) != BOX_YES)
        return;
    const CString label = "Verzeichnisname: ";
    CString description = label + "[text,]";
    if (!VKParamBox(description, GetWindow(), "Ordnernamen eingeben"))
        return;
    const CString name = description.Mid(label.GetLength());
    const winpath::path dir =
        CDBFilePathModel::RemoveTrailingSeparator(m_state->model.CurrentDir() / winpath::path(name.str()));
    if (!m_state->directoryCreator.ValidateCreationPath(dir)) {
        m_state->directoryCreator.OnCreationPathValidationFailed(GetWindow());
        ShowCurrentDirAgain();
    } else if (!m_state->directoryCreator.CreateDummyFile(dir)) {
        CDBDirectoryCreator::OnDirCreationFailed(GetWindow());
        ShowCurrentDirAgain();
    } else {
        UpdateUI(true);
    }
}

// ---------------------------------------------------------------- commit

void CDBFileDialog::OnExit()
{
    EndDialog(2);
}

void CDBFileDialog::OnClosing(bool& cancel)
{
    CWPFJ3Dialog::OnClosing(cancel);
    if (cancel)
        return;
    WriteDialogValue(kListLayoutKey, ListLayout());
    StopListing();
}

CString CDBFileDialog::ListLayout() const
{
    CString layout;
    layout.Format("%d|%d", static_cast<int>(m_state->sorter.SortCriteria()), m_state->sorter.SortAscending() ? 1 : 0);
    for (int width : m_lListe.GetColumnWidths())
        layout += "|" + CString(std::to_string(width));
    return layout;
}

void CDBFileDialog::RestoreListLayout()
{
    CString layout;
    if (!ReadDialogValue(kListLayoutKey, layout))
        return;
    std::vector<CString> pieces;
    SeparatedStrToVec(layout, '|', pieces);
    // A value that is not ours in full is left alone.
    if (pieces.size() < 2 || pieces.size() > 2 + static_cast<std::size_t>(m_matrixListe.GetColumnCount()))
        return;
    std::vector<int> numbers;
    for (const CString& piece : pieces) {
        const std::string& text = piece.str();
        int number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size())
            return;
        numbers.push_back(number);
    }
    m_state->sorter.RestoreSortState(numbers[0], numbers[1] != 0);
    m_lListe.SetColumnWidths(std::vector<int>(numbers.begin() + 2, numbers.end()));
}

void CDBFileDialog::OnSaveAndExit()
{
    if (m_bOpenFileDialog && m_multipleSelectedFiles.empty())
        return;
    if (m_multipleSelectedFiles.size() > 1) {
        UpdateOFNFromFilePath("");
        EndDialog(1);
        return;
    }
    const CString name = m_editCurrentFile.GetData();
    if (name.IsEmpty() || IsNameRefused(name) || IsTypeRefused(name))
        return;
    // The store knows no "." or "..": a name is resolved before it is judged.
    const winpath::path real = (m_state->model.CurrentDir() / winpath::path(name.str())).lexically_normal();
    if (IsResultRefused(real))
        return;
    UpdateOFNFromFilePath(CString(real.string()));
    EndDialog(1);
}

bool CDBFileDialog::IsNameRefused(const CString& name) const
{
    if (m_bOpenFileDialog || CWindowsNameRules::IsValidWindowsComponent(winpath::AnsiToWide(name.str())))
        return false;
    HaltI("Ungültiger Dateiname"_ansi, "Der angegebene Dateiname " + Quoted(name) + " ist ungültig!"_ansi, GetWindow());
    return true;
}

bool CDBFileDialog::IsTypeRefused(const CString& name) const
{
    if (m_state->typeFilter.FileMatchesAnyFilter(winpath::path(name.str())))
        return false;
    HaltI("Ungültiger Dateityp"_ansi,
          "Der Dateityp der ausgewählten Datei entspricht nicht den erlaubten Dateitypen ("_ansi +
              CString(m_state->typeFilter.JoinedPatternLists()) + ")!",
          GetWindow());
    return true;
}

bool CDBFileDialog::IsResultRefused(const winpath::path& real) const
{
    if (m_state->model.AllowedRootDirForRealPath(real).empty()) {
        m_state->directoryCreator.OnCreationPathValidationFailed(GetWindow());
        return true;
    }
    const CString text(real.string());
    const CString display = Quoted(DisplayText(real));
    const std::size_t pathRoom = m_pOFN->nMaxFile > 2 ? m_pOFN->nMaxFile - 2 : 0;
    const std::size_t nameRoom = m_pOFN->nMaxFileTitle > 1 ? m_pOFN->nMaxFileTitle - 1 : 0;
    if (!m_pOFN->lpstrFile || text.str().size() > pathRoom || real.filename().string().size() > nameRoom) {
        HaltI("Pfad zu lang",
              "Der Pfad " + display + " ist zu lang und kann nicht übernommen werden (höchstens "_ansi +
                  CString(std::to_string(pathRoom)) + " Zeichen, der Dateiname höchstens "_ansi +
                  CString(std::to_string(nameRoom)) + ")!",
              GetWindow());
        return true;
    }
    const bool exists = FileExistsDB(text);
    if (!m_bOpenFileDialog && !m_allowOverwrite && exists) {
        HaltI("Datei existiert bereits",
              "Die Datei " + display + " existiert bereits in der Datenbank und kann nicht überschrieben werden!"_ansi,
              GetWindow());
        return true;
    }
    if (m_bOpenFileDialog && !exists) {
        HaltI("Datei nicht gefunden",
              "Die Datei " + display + " existiert nicht in der Datenbank und kann nicht geöffnet/ausgewählt!"_ansi,
              GetWindow());
        return true;
    }
    return false;
}

void CDBFileDialog::UpdateOFNFromFilePath(const CString& path)
{
    OPENFILENAMEA& ofn = *m_pOFN;
    const std::string& text = path.str();
    const std::size_t lastSeparator = text.find_last_of('\\');
    const std::size_t nameStart = lastSeparator == std::string::npos ? 0 : lastSeparator + 1;

    // Two terminating zeros, as a list of names would end.
    const std::size_t pathRoom = ofn.nMaxFile >= 2 ? ofn.nMaxFile - 1 : 0;
    CopyTruncated(ofn.lpstrFile, pathRoom, text);
    if (ofn.lpstrFile && pathRoom > 0)
        ofn.lpstrFile[std::strlen(ofn.lpstrFile) + 1] = '\0';
    CopyTruncated(ofn.lpstrFileTitle, ofn.nMaxFileTitle, text.substr(std::min(nameStart, text.size())));

    const std::string stored = ofn.lpstrFile && pathRoom > 0 ? ofn.lpstrFile : "";
    const std::size_t storedNameStart = std::min(nameStart, stored.size());
    const std::size_t dot = stored.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && dot >= storedNameStart;
    ofn.nFileOffset = static_cast<WORD>(storedNameStart);
    ofn.nFileExtension = static_cast<WORD>(hasExtension ? dot + 1 : stored.size());
}

// ---------------------------------------------------------------- results

CString CDBFileDialog::GetPathName() const
{
    return CString(m_pOFN->lpstrFile);
}

CString CDBFileDialog::GetFileName() const
{
    return CString(m_pOFN->lpstrFileTitle);
}

CString CDBFileDialog::GetFileExt() const
{
    if (m_pOFN->nFileExtension == 0)
        return CString();
    return GetPathName().Mid(m_pOFN->nFileExtension);
}

CString CDBFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString J3GetPathNameFromDBFileDialog(SDBFileDialogParams params)
{
    CDBFileDialog dialog(params.openFileDialog, params.defaultExtension, params.fileName, params.flags, params.filter,
                         params.parentWindow, params.structSize, params.vistaStyle);
    dialog.SetAllowDirChanges(params.allowDirUp, params.allowDirDown);
    if (params.initialDir)
        dialog.GetOFN().lpstrInitialDir = params.initialDir;
    return dialog.DoModal() == 1 ? dialog.GetPathName() : CString();
}
