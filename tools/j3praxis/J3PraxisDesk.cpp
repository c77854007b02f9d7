#include "j3praxis/J3PraxisDesk.h"

#include "J3Dialoge/DiaIndexMarkerConfig.h"
#include "dbdll/JPatMergeTrail.h"
#include "dbdll/JProgPool.h"
#include "j3praxis/DiaPatJoin.h"
#include "msgbox/Boxes.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/WPFApplication.h"
#include "vkwpfcpp/WPFEventCall.h"
#include "vkwpfcpp/WPFSelectionChangedEvent.h"
#include "vkwpfcpp/WPFTabItem.h"
#include "vkwpfcpp/WPFText.h"
#include "vkwpfcpp/WPFVKIndexMarker.h"
#include "winpath/AnsiLiteral.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMarkerConfigProgram = 278;
constexpr const char* kMarkerConfigName = "Karteireiter Konfiguration";
// A switch names its marker in a few words; the tool tip says more.
constexpr int kMarkerTextLimit = 20;

QIcon MarkerSwatch(int marker)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(80, 80, 80));
    painter.setBrush(CWPFApplication::GetVKColor(CWPFApplication::FirstMarkerSlot + marker));
    painter.drawRoundedRect(0, 0, 13, 13, 3, 3);
    return QIcon(pixmap);
}

// The desk only reads the list and the merge trail: the read-only
// connection when the program has one.
CVKDatabase& ReadingDatabase()
{
    return dbDatabaseRO.IsOpen() ? dbDatabaseRO : dbDatabase;
}

QAbstractButton* SwitchOf(const CWPFVKButton& button)
{
    return qobject_cast<QAbstractButton*>(button.GetElement());
}

} // namespace

CJ3PraxisDesk::CJ3PraxisDesk(const CString& startPatNr)
    : CDiaPatSearchEdit("jt/j3praxis/PraxisDesk", "j3wpfcs", nullptr), m_strStartPatNr(startPatNr),
      m_patientPages(ReadingDatabase())
{
    SetHelpName(__FILE__);
}

CWPFWndBase* CJ3PraxisDesk::OnInitDialog()
{
    CWPFWndBase* root = CDiaPatSearchEdit::OnInitDialog();
    InitPatientList();
    InitButtons();
    InitProgramme();
    const int start = std::max(m_patientPages.RowOf(m_strStartPatNr), 0);
    // Binding the first patient reads the markers' colours, which the card's
    // switches show.
    ChoosePatient(m_patientRows.Count() > 0 ? start : -1);
    InitCard();
    ShowPatient(m_patients.GetSelectedIndex());
    SizeToScreen();
    auto* mergeWatch = new QTimer(GetWindow());
    QObject::connect(mergeWatch, &QTimer::timeout, GetWindow(), [this] { FollowMergedPatient(); });
    mergeWatch->start(MergeWatchMilliseconds);
    return root;
}

void CJ3PraxisDesk::SizeToScreen()
{
    // The desk is where the day's work happens: it takes most of the screen,
    // within reason on a very large one. A size the person chose is restored
    // over this from the placement records.
    QDialog* window = GetWindow();
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize area = screen->availableGeometry().size();
    const QSize wanted = QSize(area.width() * 4 / 5, area.height() * 4 / 5).boundedTo(QSize(1600, 1000));
    window->resize(wanted.expandedTo(window->minimumSizeHint()).boundedTo(area));
}

void CJ3PraxisDesk::InitPatientList()
{
    m_patients.Attach(this, "PatientList");
    // The first column takes the room the others leave: the name.
    m_patients.AddTextBlockColumn("Name", 0, 0, "");
    m_patients.AddTextBlockColumn("Vorname", 0, 0, "");
    m_patients.AddTextBlockColumn("Geburtsdatum", 0, 0, "");
    m_patients.AddTextBlockColumn("Nr.", 0, 2, "");
    FillPatientList();
    m_patients.BindMatrix(&m_patientRows);
    m_patients.AutoSizeGridViewColumns();
    m_patients.DoAddOnSelectionChanged(
        new CWPFEventCall<CJ3PraxisDesk, CWPFSelectionChangedEvent>(this, &CJ3PraxisDesk::OnPatientSelected));
}

void CJ3PraxisDesk::FillPatientList()
{
    m_patientPages.Refresh();
    m_patientRows.SetRowsAsFound([this](int row, int column) { return m_patientPages.GetText(row, column); },
                                 [this](int wanted) { return m_patientPages.RowsUpTo(wanted); });
}

void CJ3PraxisDesk::InitCard()
{
    m_name.Attach(this, "PatName");
    m_details.Attach(this, "PatDetails");
    std::vector<SIndexMarkerText> texts;
    GetIndexMarkerTexte(texts, true);
    for (int i = 0; i < kMarkers; ++i) {
        CString name;
        name.Format("Marker%d", i);
        CWPFVKButton& markerSwitch = m_markerSwitches[i];
        markerSwitch.Attach(this, name);
        CString label;
        label.Format("%d %s", i + 1, CWPFText::Bounded(texts[i].text, kMarkerTextLimit).GetString());
        markerSwitch.SetText(label);
        markerSwitch.SetToolTip(CWPFText::Bounded(texts[i].toolTip));
        if (QAbstractButton* button = SwitchOf(markerSwitch))
            button->setIcon(MarkerSwatch(i));
        markerSwitch.DoAddOnClick(
            new CWPFEventCall<CJ3PraxisDesk, CWPFRoutedEvent>(this, &CJ3PraxisDesk::OnMarkerSwitched));
    }
}

void CJ3PraxisDesk::InitButtons()
{
    m_config.Attach(this, "ConfigButton");
    m_config.SetIsEnabled(CJProgPool::GetPermission(kMarkerConfigProgram, kMarkerConfigName, true) > 0);
    m_config.DoAddOnClick(new CWPFEventCall<CJ3PraxisDesk, CWPFRoutedEvent>(this, &CJ3PraxisDesk::OnConfigClick));
    m_merge.Attach(this, "MergeButton");
    m_merge.DoAddOnClick(new CWPFEventCall<CJ3PraxisDesk, CWPFRoutedEvent>(this, &CJ3PraxisDesk::OnMergeClick));
}

void CJ3PraxisDesk::InitProgramme()
{
    m_favoritenHost.Attach(this, "FavoritenHost");
    m_programmStatus.Attach(this, "ProgrammStatus");
    m_favoriten = std::make_unique<CJ3PraxisFavoriten>(
        this, [this](const CString& started) { m_programmStatus.SetText("Gestartet: " + started); });
    m_favoriten->CreateButtons();
    m_favoriten->Create(&m_favoritenHost);
    m_favoriten->LoadUserFavoriten();
    if (m_bOpenOnProgramme) {
        CWPFTabItem page;
        page.Attach(this, "ProgrammePage");
        page.Select();
    }
}

void CJ3PraxisDesk::OnClosing(bool& cancel)
{
    CDiaPatSearchEdit::OnClosing(cancel);
    if (cancel || !m_favoriten)
        return;
    m_favoriten->SaveUserFavoriten();
    m_favoriten->OnClosed();
}

void CJ3PraxisDesk::ChoosePatient(int row)
{
    // A patient found further down than the list has counted lies within it.
    m_patientRows.ExtendRows(row + 1);
    const CString patNr = row >= 0 ? m_patientRows.GetText(row, ColNr) : CString();
    if (patNr != m_strDataPatNr || patNr.IsEmpty())
        AddDataPat(patNr);
    if (row >= 0 && m_patients.GetSelectedIndex() != row)
        m_patients.SetSelectedIndex(row);
}

void CJ3PraxisDesk::ShowPatient(int row)
{
    if (row < 0) {
        m_name.SetText("Kein Patient");
        m_details.SetText("");
    } else {
        m_name.SetText(
            CWPFText::Bounded(m_patientRows.GetText(row, ColName) + ", " + m_patientRows.GetText(row, ColFirstName)));
        CString details;
        details.Format("Patient Nr. %d, geboren am %s", std::atoi(m_patientRows.GetText(row, ColNr)),
                       m_patientRows.GetText(row, ColBirthDate).GetString());
        m_details.SetText(details);
    }
    const bool markersShown = m_pIndexMarker != nullptr;
    if (auto* group = qobject_cast<QGroupBox*>(FindElement("MarkerGroup"))) {
        group->setEnabled(markersShown && row >= 0);
        group->setTitle(markersShown ? QStringLiteral("Karteireiter des Patienten")
                                     : QStringLiteral("Karteireiter (keine Berechtigung)"));
    }
    for (int i = 0; i < kMarkers; ++i)
        if (QAbstractButton* button = SwitchOf(m_markerSwitches[i]))
            button->setChecked(markersShown && m_pIndexMarker->GetIsVisible(i));
}

void CJ3PraxisDesk::OnPatientSelected(CWPFSelectionChangedEvent&)
{
    const int row = m_patients.GetSelectedIndex();
    if (row < 0)
        return;
    ChoosePatient(row);
    ShowPatient(row);
    ShowInPatientField(m_patientRows.GetText(row, ColNr));
}

void CJ3PraxisDesk::OnMarkerSwitched(CWPFRoutedEvent& event)
{
    // "Marker<n>": the marker's number follows the name.
    const int marker = std::atoi(event.GetSourceName().Mid(6));
    if (marker < 0 || marker >= kMarkers)
        return;
    QAbstractButton* button = SwitchOf(m_markerSwitches[marker]);
    if (m_pIndexMarker && button)
        m_pIndexMarker->SetIsVisible(marker, button->isChecked());
}

void CJ3PraxisDesk::OnConfigClick(CWPFRoutedEvent&)
{
    CDiaIndexMarkerConfig config(GetWindow());
    config.DoModal();
}

void CJ3PraxisDesk::OnContentRendered()
{
    CDiaPatSearchEdit::OnContentRendered();
    if (m_strStartSearch.IsEmpty())
        return;
    m_editPat.SetData(m_strStartSearch);
    // Once the desk is on screen, as if the user had left the field.
    QTimer::singleShot(0, GetWindow(), [this] { OnExitPatSearch(); });
}

bool CJ3PraxisDesk::OnExitPatSearch()
{
    const bool changed = CDiaPatSearchEdit::OnExitPatSearch();
    if (changed)
        ShowPatientNr(m_strPatNr);
    return changed;
}

void CJ3PraxisDesk::OnSearch()
{
    if (DoPatSearch())
        ShowPatientNr(m_strPatNr);
}

void CJ3PraxisDesk::ShowPatientNr(const CString& patNr)
{
    const int row = m_patientPages.RowOf(patNr);
    if (row < 0)
        return;
    ChoosePatient(row);
    ShowPatient(row);
    ShowInPatientField(patNr);
}

void CJ3PraxisDesk::ShowInPatientField(const CString& patNr)
{
    CString name;
    m_strPatNr = patNr;
    if (GetPatName(patNr, name))
        m_editPat.SetData(patNr + "-" + name);
}

void CJ3PraxisDesk::FollowMergedPatient()
{
    if (m_strDataPatNr.IsEmpty())
        return;
    const CString kept = CJPatMergeTrail(ReadingDatabase()).Follow(m_strDataPatNr);
    if (kept == m_strDataPatNr)
        return;
    const CString merged = m_strDataPatNr;
    // Stores what is shown into the kept patient before the person hears of it.
    AddDataPat("");
    FillPatientList();
    Halt("Patient zusammengeführt"_ansi,
         "Patient " + CString(merged).Trim() + " wurde an einem anderen Arbeitsplatz mit Patient " +
             CString(kept).Trim() + " zusammengeführt. Ihre Änderungen sind dort gespeichert; "_ansi +
             "er wird jetzt angezeigt.",
         GetWindow());
    ShowPatientNr(kept);
}

void CJ3PraxisDesk::OnMergeClick(CWPFRoutedEvent&)
{
    // The desk stores what it shows of its patient and lets go of it, so
    // that it neither writes old notes over merged ones nor holds a patient
    // that the merge deletes.
    const CString current = m_strDataPatNr;
    AddDataPat("");
    CDiaPatJoin merge(GetWindow(), current);
    if (merge.DoModal() == 1)
        FillPatientList();
    const CString shown = merge.GetZoomPatNr().IsEmpty() ? current : merge.GetZoomPatNr();
    ShowPatientNr(shown);
    if (m_strDataPatNr.IsEmpty() && m_patientRows.Count() > 0) {
        ChoosePatient(0);
        ShowPatient(0);
    }
}
