#include "dbdll/JPatMerge.h"

#include "dbdll/JPat.h"
#include "j3params/J3Params.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

#include <string>

namespace {

// A patient's index-marker flags are characters 22 to 46 of the text.
constexpr int FirstMarker = 22;
constexpr int MarkerTextLength = 47;

CString Trimmed(CString text)
{
    return text.Trim();
}

// Only "1" is set, as the dialogs read the flags.
bool IsSet(char flag)
{
    return flag == '1';
}

// Every flag set in either text, in a text of the marker length.
CString JoinedMarkers(CString kept, const CString& duplicate)
{
    if (kept.GetLength() < MarkerTextLength)
        kept += CString(' ', MarkerTextLength - kept.GetLength());
    for (int i = FirstMarker; i < MarkerTextLength && i < duplicate.GetLength(); ++i)
        if (IsSet(duplicate[i]) && !IsSet(kept[i]))
            kept.SetAt(i, duplicate[i]);
    return kept;
}

} // namespace

bool CJPatMerge::Merge(const CString& keptNr, const std::vector<CString>& duplicateNrs, CString& error)
{
    CVKTransaction transaction(m_database);
    if (!transaction.IsActive()) {
        error = m_database.GetLastError();
        return false;
    }
    for (const CString& duplicateNr : duplicateNrs)
        if (!MergeOne(keptNr, duplicateNr, error))
            return false;
    if (!transaction.Commit()) {
        error = m_database.GetLastError();
        return false;
    }
    return true;
}

bool CJPatMerge::MergeOne(const CString& keptNr, const CString& duplicateNr, CString& error)
{
    if (Trimmed(keptNr) == Trimmed(duplicateNr)) {
        error = "Patient " + Trimmed(keptNr) + " kann nicht mit sich selbst zusammengef\xFChrt werden.";
        return false;
    }
    CJPat kept(&m_database, nullptr);
    kept.m_strPatNr = keptNr;
    CJPat duplicate(&m_database, nullptr);
    duplicate.m_strPatNr = duplicateNr;
    for (CJPat* patient : {&kept, &duplicate}) {
        const CString nr = Trimmed(patient->m_strPatNr);
        const int found = patient->GetByK1(0);
        if (found != CVKRSet::FOUND) {
            error = found == CVKRSet::NOT_FOUND ? "Patient " + nr + " ist nicht (mehr) vorhanden."
                                                : m_database.GetLastError();
            return false;
        }
    }
    kept.m_strIndexMarker = JoinedMarkers(kept.m_strIndexMarker, duplicate.m_strIndexMarker);
    if (kept.m_strEmoji1.IsEmpty() && kept.m_strEmoji2.IsEmpty()) {
        kept.m_strEmoji1 = duplicate.m_strEmoji1;
        kept.m_strEmoji2 = duplicate.m_strEmoji2;
    }
    if (!kept.Rewrite("") || !MoveTreatments(keptNr, duplicate.m_strPatNr) ||
        !MoveNotes(kept.m_strPatNr, duplicate.m_strPatNr) || !duplicate.Delete()) {
        error = m_database.GetLastError();
        return false;
    }
    return true;
}

bool CJPatMerge::MoveTreatments(const CString& keptNr, const CString& duplicateNr)
{
    CVKQuery move(m_database, "UPDATE BEH SET patnr = ?1 WHERE patnr = ?2");
    move.Bind(1, keptNr).Bind(2, duplicateNr);
    return move.Run();
}

// Notes live at <data>eInfo\<user or workstation>\<dialog>.<number>.<position>;
// the duplicate's notes of a dialog follow the kept patient's notes of it.
bool CJPatMerge::MoveNotes(const CString& keptNr, const CString& duplicateNr)
{
    CDBFileStore store(m_database);
    const CString keptKey = "." + Trimmed(keptNr) + ".";
    const CString duplicateKey = "." + Trimmed(duplicateNr) + ".";
    std::vector<SDBFileEntry> folders;
    if (!store.Visit(GetJ3DataPath(0) + "eInfo\\*", [&](const SDBFileEntryView& entry) {
            if (entry.isDirectory)
                folders.push_back({CString(entry.path), true});
            return true;
        }))
        return false;
    for (const SDBFileEntry& folder : folders) {
        for (const SDBFileEntry& note : store.Find(folder.path + "\\*" + duplicateKey + "*")) {
            const CString name = note.path.Mid(note.path.ReverseFind('\\') + 1);
            const int keyAt = name.Find(duplicateKey);
            if (note.isDirectory || keyAt <= 0)
                continue;
            const CString notes = folder.path + "\\" + name.Left(keyAt) + keptKey;
            // Notes are numbered from 0 without gaps; a gap left by hand is
            // skipped rather than overwritten.
            std::size_t position = store.Find(notes + "*").size();
            while (store.FileExists(notes + CString(std::to_string(position))))
                ++position;
            const CString target = notes + CString(std::to_string(position));
            CString text;
            if (!store.LoadFile(note.path, text) || !store.SaveFile(target, text) || !store.RemoveFile(note.path))
                return false;
        }
    }
    return true;
}
