// The patient binding and the index markers of CWPFJ3Dialog.
#include "J3Dialoge/WPFJ3Dialog.h"

#include "J3Dialoge/BorrowedRSet.h"
#include "J3Dialoge/DiaIndexMarkerConfig.h"
#include "dbdll/JParPool.h"
#include "dbdll/JPat.h"
#include "dbdll/JPatMergeTrail.h"
#include "dbdll/JProgPool.h"
#include "vkbasis/StringUtils.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"
#include "vkwpfcpp/VKColorRef.h"
#include "vkwpfcpp/WPFApplication.h"
#include "vkwpfcpp/WPFEventCall.h"
#include "vkwpfcpp/WPFVKIndexMarker.h"

#include <QDialog>

#include <cstdint>

namespace {

constexpr int kMarkerCount = CWPFApplication::MarkerSlots;
// A patient's index-marker text: flags of markers 0 to 24 at 22 to 46.
constexpr int kFlagTextLength = 47;
constexpr int kFirstFlag = 22;
constexpr int kMarkerConfigProgram = 278;
constexpr const char* kMarkerConfigName = "Karteireiter Konfiguration";

bool PatientFeaturesOn()
{
    return CWPFApplication::GetWPFTheme() == 1;
}

// The configuration as read by the first strip of the process.
std::vector<SIndexMarkerText>& ProcessMarkerTexts()
{
    static std::vector<SIndexMarkerText> texts;
    return texts;
}

// Only the markers switched since the flags were read go into the stored
// text (padded to its length): any other byte stays as stored, whoever
// wrote it.
void WriteSwitchedMarkers(const CWPFVKIndexMarker& strip, CString read, CString& stored)
{
    FillTail(read, kFlagTextLength, ' ');
    FillTail(stored, kFlagTextLength, ' ');
    for (int i = 0; i < kMarkerCount; ++i) {
        const bool shown = strip.GetIsVisible(i);
        if (shown != (read[kFirstFlag + i] == '1'))
            stored.SetAt(kFirstFlag + i, shown ? '1' : ' ');
    }
}

} // namespace

void CWPFJ3Dialog::GetIndexMarkerTexte(std::vector<SIndexMarkerText>& out, bool textsOnly)
{
    const BorrowedRSet<CJParPool> pool = BorrowRSet<CJParPool>(1);
    std::vector<CString> parts;
    for (int i = 0; i < kMarkerCount; ++i) {
        SIndexMarkerText marker;
        pool->m_strNr = "269";
        pool->m_strKey.Format("indexmrk%02d", i);
        if (pool->GetByK1(0) == CVKRSet::FOUND) {
            SeparatedStrToVec(pool->m_strValue, '|', parts, true);
            CString* fields[] = {&marker.text, &marker.toolTip, &marker.color};
            for (std::size_t part = 0; part < parts.size() && part < std::size(fields); ++part)
                *fields[part] = parts[part];
        }
        if (!textsOnly) {
            std::uint32_t colorRef = 0;
            if (CVKColorRef::FromDecimal(marker.color, colorRef))
                CWPFApplication::InitVKColor(CWPFApplication::FirstMarkerSlot + i, colorRef);
            CWPFApplication::InitMarkerToolTip(i, marker.toolTip.IsEmpty() ? marker.text
                                                                           : marker.text + " - " + marker.toolTip);
            if (marker.text.IsEmpty())
                marker.text = "   ";
        }
        out.push_back(marker);
    }
}

bool CWPFJ3Dialog::SetIndexMarkerMulti(const std::vector<CString>& patNrs, int marker, bool on)
{
    if (marker < 0 || marker >= kMarkerCount)
        return false;
    CJPat record(&dbDatabase, nullptr);
    // One transaction: one commit for any number of patients, and a failure
    // half-way leaves every patient as he was.
    CVKTransaction transaction(dbDatabase);
    if (!transaction.IsActive())
        return false;
    for (const CString& patNr : patNrs) {
        record.m_strPatNr = patNr;
        const int lookup = record.GetByK1(0);
        if (lookup == CVKRSet::DB_ERROR)
            return false;
        if (lookup != CVKRSet::FOUND)
            continue;
        const CString before = record.m_strIndexMarker;
        FillTail(record.m_strIndexMarker, kFlagTextLength, ' ');
        record.m_strIndexMarker.SetAt(kFirstFlag + marker, on ? '1' : '0');
        if (record.m_strIndexMarker != before && !record.Rewrite(""))
            return false;
    }
    return transaction.Commit();
}

void CWPFJ3Dialog::CreateIndexMarker(bool noConfig, bool changeable)
{
    m_pIndexMarker = new CWPFVKIndexMarker("IndexMarker", "");
    m_pIndexMarker->Attach(this);
    std::vector<SIndexMarkerText>& texts = ProcessMarkerTexts();
    if (texts.empty())
        GetIndexMarkerTexte(texts, false);
    for (int i = 0; i < kMarkerCount; ++i)
        m_pIndexMarker->AddMarker(noConfig, changeable, texts[i].text, texts[i].toolTip,
                                  CWPFApplication::FirstMarkerSlot + i);
    if (!noConfig)
        m_pIndexMarker->DoAddOnClick(
            new CWPFEventCall<CWPFJ3Dialog, CWPFRoutedEvent>(this, &CWPFJ3Dialog::OnIndexMarkerClick));
}

void CWPFJ3Dialog::ClearIndexMarkers()
{
    if (!m_pIndexMarker)
        return;
    for (int i = 0; i < kMarkerCount; ++i)
        m_pIndexMarker->SetIsVisible(i, false);
}

void CWPFJ3Dialog::OnIndexMarkerClick(CWPFRoutedEvent&)
{
    CDiaIndexMarkerConfig config(GetWindow());
    config.DoModal();
}

void CWPFJ3Dialog::AddDataPat(const CString& patNr)
{
    if (!PatientFeaturesOn())
        return;
    SaveDataPat();
    ClearIndexMarkers();
    if (patNr.IsEmpty())
        return;
    m_strDataPatNr = patNr;
    const BorrowedRSet<CJPat> record = BorrowRSet<CJPat>(1);
    record->m_strPatNr = patNr;
    if (record->GetByK1(0) == CVKRSet::FOUND)
        ReadDataPat(*record);
}

void CWPFJ3Dialog::ReadDataPat(const CJPat& record)
{
    if (!PatientFeaturesOn())
        return;
    const int permission = CJProgPool::GetPermission(kMarkerConfigProgram, kMarkerConfigName, true);
    if (permission >= 0) {
        if (m_pIndexMarker)
            ClearIndexMarkers();
        else
            CreateIndexMarker(permission == 0, permission == 2);
        m_strIndexFlags = record.m_strIndexMarker;
        FillTail(m_strIndexFlags, kFlagTextLength, ' ');
        for (int i = 0; i < kMarkerCount; ++i)
            m_pIndexMarker->SetIsVisible(i, m_strIndexFlags[kFirstFlag + i] == '1');
    }
    m_eInfo.ReadEInfo(record.m_strPatNr);
    m_bEInfoDone = true;
    CString first;
    CString second;
    record.GetEmoji(first, second);
    SetEmoji(first, second);
}

bool CWPFJ3Dialog::WriteDataPat(CJPat& record)
{
    if (!PatientFeaturesOn())
        return false;
    m_eInfo.WriteEInfo(record.m_strPatNr);
    if (!m_pIndexMarker)
        return false;
    WriteSwitchedMarkers(*m_pIndexMarker, m_strIndexFlags, record.m_strIndexMarker);
    return record.m_strIndexMarker != m_strIndexFlags;
}

void CWPFJ3Dialog::SaveDataPat()
{
    if (m_strDataPatNr.IsEmpty())
        return;
    {
        const BorrowedRSet<CJPat> record = BorrowRSet<CJPat>(0);
        // Under the write lock, so that a merge on another workstation comes
        // wholly before or after what is written here.
        CVKTransaction transaction(dbDatabase);
        record->m_strPatNr = CJPatMergeTrail(dbDatabase).Follow(m_strDataPatNr);
        if (record->m_strPatNr != m_strDataPatNr)
            SaveIntoKeptPatient(*record);
        else if (record->GetByK1(0) == CVKRSet::FOUND && WriteDataPat(*record))
            record->Rewrite("");
        transaction.Commit();
    }
    m_strDataPatNr.Empty();
    m_strIndexFlags.Empty();
}

void CWPFJ3Dialog::SaveIntoKeptPatient(CJPat& kept)
{
    if (!PatientFeaturesOn())
        return;
    // The notes follow the merge themselves.
    m_eInfo.WriteEInfo(m_strDataPatNr);
    if (!m_pIndexMarker || kept.GetByK1(0) != CVKRSet::FOUND)
        return;
    // The kept patient's other markers are his own or came with the merge.
    const CString stored = kept.m_strIndexMarker;
    WriteSwitchedMarkers(*m_pIndexMarker, m_strIndexFlags, kept.m_strIndexMarker);
    if (kept.m_strIndexMarker != stored)
        kept.Rewrite("");
}
