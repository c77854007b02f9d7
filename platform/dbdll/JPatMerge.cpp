#include "dbdll/JPatMerge.h"

#include "dbdll/JPat.h"
#include "dbdll/JPatMergeTrail.h"
#include "j3params/J3Params.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"
#include "winpath/AnsiLiteral.h"

#include <algorithm>
#include <string>
#include <tuple>

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

// The files named <dialog><key><position>, by dialog and then by the
// number of the position (2 before 10), so that moved notes keep their
// order; positions that are no number follow those of their dialog.
std::vector<SDBFileEntry> NotesInOrder(std::vector<SDBFileEntry> found, const CString& key)
{
    struct SNote {
        std::string dialog;
        bool numbered;
        std::string position; // digits without leading zeros
        SDBFileEntry entry;
    };
    std::vector<SNote> notes;
    for (SDBFileEntry& entry : found) {
        const std::string name = entry.path.Mid(entry.path.ReverseFind('\\') + 1).str();
        const std::size_t keyAt = name.find(key.str());
        if (entry.isDirectory || keyAt == std::string::npos || keyAt == 0)
            continue;
        std::string position = name.substr(keyAt + key.GetLength());
        const bool numbered = !position.empty() && position.find_first_not_of("0123456789") == std::string::npos;
        if (numbered)
            position.erase(0, std::min(position.find_first_not_of('0'), position.size() - 1));
        else
            position.clear();
        notes.push_back({name.substr(0, keyAt), numbered, position, std::move(entry)});
    }
    std::stable_sort(notes.begin(), notes.end(), [](const SNote& left, const SNote& right) {
        return std::tuple(left.dialog, !left.numbered, left.position.size(), left.position) <
               std::tuple(right.dialog, !right.numbered, right.position.size(), right.position);
    });
    std::vector<SDBFileEntry> ordered;
    ordered.reserve(notes.size());
    for (SNote& note : notes)
        ordered.push_back(std::move(note.entry));
    return ordered;
}

} // namespace

bool CJPatMerge::Merge(const CString& keptNr, const std::vector<CString>& duplicateNrs, CString& error)
{
    m_unplacedEmoji.clear();
    CVKTransaction transaction(m_database);
    if (!transaction.IsActive()) {
        error = m_database.GetLastError();
        return false;
    }
    for (const CString& duplicateNr : duplicateNrs)
        if (!MergeOne(keptNr, duplicateNr, error)) {
            m_unplacedEmoji.clear();
            return false;
        }
    if (!transaction.Commit()) {
        error = m_database.GetLastError();
        m_unplacedEmoji.clear();
        return false;
    }
    return true;
}

bool CJPatMerge::MergeOne(const CString& keptNr, const CString& duplicateNr, CString& error)
{
    if (Trimmed(keptNr) == Trimmed(duplicateNr)) {
        error = "Patient " + Trimmed(keptNr) + " kann nicht mit sich selbst zusammengeführt werden."_ansi;
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
    PlaceEmoji(kept, duplicate);
    if (!kept.Rewrite("") || !MoveRows("BEH", keptNr, duplicate.m_strPatNr) ||
        !MoveRows("protokoll", keptNr, duplicate.m_strPatNr) || !MoveNotes(kept.m_strPatNr, duplicate.m_strPatNr) ||
        !CJPatMergeTrail(m_database).Record(duplicate.m_strPatNr, kept.m_strPatNr) || !duplicate.Delete()) {
        error = m_database.GetLastError();
        return false;
    }
    return true;
}

// The duplicate's emoji go into the kept patient's free places; those that
// find none are reported, never dropped unseen.
void CJPatMerge::PlaceEmoji(CJPat& kept, const CJPat& duplicate)
{
    for (const CString& emoji : {duplicate.m_strEmoji1, duplicate.m_strEmoji2}) {
        if (emoji.IsEmpty() || emoji == kept.m_strEmoji1 || emoji == kept.m_strEmoji2)
            continue;
        if (kept.m_strEmoji1.IsEmpty())
            kept.m_strEmoji1 = emoji;
        else if (kept.m_strEmoji2.IsEmpty())
            kept.m_strEmoji2 = emoji;
        else
            m_unplacedEmoji.push_back({Trimmed(duplicate.m_strPatNr), emoji});
    }
}

// Treatments and deletion-protocol rows follow the patient, so that no
// patient given the duplicate's number later inherits them.
bool CJPatMerge::MoveRows(const char* table, const CString& keptNr, const CString& duplicateNr)
{
    CVKQuery move(m_database, std::string("UPDATE ") + table + " SET patnr = ?1 WHERE patnr = ?2");
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
        for (const SDBFileEntry& note :
             NotesInOrder(store.Find(folder.path + "\\*" + duplicateKey + "*"), duplicateKey)) {
            const CString name = note.path.Mid(note.path.ReverseFind('\\') + 1);
            const CString notes = folder.path + "\\" + name.Left(name.Find(duplicateKey)) + keptKey;
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
