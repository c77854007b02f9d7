#include "J3Dialoge/EInfo.h"

#include "J3Dialoge/FavoSettings.h"
#include "dbdll/DBIdentity.h"
#include "dbdll/JPatMergeTrail.h"
#include "dbdll/JProgPool.h"
#include "j3params/J3Params.h"
#include "msgbox/Boxes.h"
#include "vkdb/DBFileFind.h"
#include "vkdb/DBFileFunctions.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"
#include "vkwpfcpp/WPFDialog.h"
#include "winpath/AnsiLiteral.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr int EInfoProgram = 291;
constexpr const char* Caption = "eInfo";
constexpr const char* DeleteFailed = "Fehler beim Löschen einer eInfo:\n"_ansi;
constexpr const char* SaveFailed = "Fehler beim Speichern einer eInfo:\n";

// Whether notes are kept per user: -1 until first asked, then 0 or 1.
int s_nPerUser = -1;

CString WithoutLeadingBlanks(CString text)
{
    return text.TrimLeft(' ');
}

// The note number in a file name's suffix; false for a suffix that is no
// plain decimal number.
bool NoteNumber(std::string_view suffix, std::string& digits)
{
    if (suffix.empty() || !std::all_of(suffix.begin(), suffix.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const std::size_t first = std::min(suffix.find_first_not_of('0'), suffix.size() - 1);
    digits = suffix.substr(first);
    return true;
}

// Numbers of any length compare by their digits without leading zeros:
// shorter is smaller, equal lengths compare as text.
bool NumberLess(const std::string& left, const std::string& right)
{
    return left.size() != right.size() ? left.size() < right.size() : left < right;
}

} // namespace

CEInfo::CEInfo(CWPFDialog* dialog)
    : m_pDialog(dialog), m_nPermission(CJProgPool::GetPermission(EInfoProgram, "eInfo", true))
{
    if (m_nPermission == CJProgPool::PERM_READ && PerUser())
        m_nPermission = CJProgPool::PERM_WRITE;
}

void CEInfo::ReadEInfo(const CString& key)
{
    m_shownTexts.clear();
    if (m_nPermission != CJProgPool::PERM_READ && m_nPermission != CJProgPool::PERM_WRITE)
        return;
    m_shownTexts = LoadNotes(GetEInfoPath(key));
    m_pDialog->OpenVKPostIts(m_shownTexts, !key.IsEmpty(), m_nPermission == CJProgPool::PERM_READ);
}

std::vector<CString> CEInfo::LoadNotes(const CString& basePath)
{
    std::vector<CString> texts;
    for (const CString& path : FindNotes(basePath)) {
        CString text;
        if (LoadTextFileDB(path, text) && !text.IsEmpty())
            texts.push_back(text);
    }
    return texts;
}

std::vector<CString> CEInfo::NotesAfterMerge(const CString& basePath, const std::vector<CString>& texts) const
{
    std::vector<CString> notes;
    std::vector<CString> shown = m_shownTexts;
    for (const CString& stored : LoadNotes(basePath)) {
        const auto moved = std::find(shown.begin(), shown.end(), stored);
        if (moved == shown.end())
            notes.push_back(stored);
        else
            shown.erase(moved);
    }
    notes.insert(notes.end(), texts.begin(), texts.end());
    return notes;
}

void CEInfo::WriteEInfo(const CString& key)
{
    std::vector<CString> texts;
    m_pDialog->CloseVKPostIts(texts);
    if (m_nPermission != CJProgPool::PERM_WRITE)
        return;
    ReplaceNotes(key, texts);
}

void CEInfo::ReplaceNotes(const CString& key, std::vector<CString> texts)
{
    CString basePath = GetEInfoPath(key);
    struct SFailure {
        const char* message;
        CString path;
        CString reason;
    };
    // The file store leaves the reason of its last failure on the connection.
    std::vector<SFailure> failures;
    const auto fail = [&](const char* message, const CString& path) {
        failures.push_back({message, path, dbDatabase.GetLastError()});
    };
    {
        CVKTransaction transaction(dbDatabase);
        if (!transaction.IsActive())
            fail(SaveFailed, basePath);
        else {
            // Under the write lock, so that a merge on another workstation
            // comes wholly before or after: the notes of a patient merged
            // away meanwhile went to the kept patient, where the ones shown
            // here take the place of those moved.
            const CString kept = key.IsEmpty() ? key : CJPatMergeTrail(dbDatabase).Follow(key);
            if (kept != key) {
                basePath = GetEInfoPath(kept);
                texts = NotesAfterMerge(basePath, texts);
            }
            // Each file is tried, so that the user learns about every failing
            // one; any failure undoes the whole replacement.
            for (const CString& path : FindNotes(basePath))
                if (!DeleteFileDB(path))
                    fail(DeleteFailed, path);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                CString path;
                path.Format("%s.%zu", basePath.GetString(), i);
                if (!SaveTextFileDB(path, texts[i]))
                    fail(SaveFailed, path);
            }
            if (failures.empty() && !transaction.Commit())
                fail(SaveFailed, basePath);
        }
    }
    // The boxes wait for the user only after the write lock is given back.
    for (const SFailure& failure : failures)
        HaltE(Caption, failure.message + failure.path + "\n" + failure.reason, nullptr);
}

std::vector<CString> CEInfo::FindNotes(const CString& basePath)
{
    struct SNote {
        CString path;
        bool numbered;
        std::string number; // digits without leading zeros
    };
    std::vector<SNote> notes;
    CDBFileFind finder;
    for (int more = finder.FindFile(basePath + ".*", 0); more;) {
        more = finder.FindNextFileA();
        if (!finder.IsDirectory())
            notes.push_back({finder.GetFilePath(), false, {}});
    }
    // A note's number is what follows the last dot of its name.
    for (SNote& note : notes)
        note.numbered =
            NoteNumber(std::string_view(note.path.str()).substr(note.path.ReverseFind('.') + 1), note.number);
    std::stable_sort(notes.begin(), notes.end(), [](const SNote& left, const SNote& right) {
        if (left.numbered != right.numbered)
            return left.numbered;
        return left.numbered && NumberLess(left.number, right.number);
    });
    std::vector<CString> paths;
    paths.reserve(notes.size());
    for (const SNote& note : notes)
        paths.push_back(note.path);
    return paths;
}

CString CEInfo::GetEInfoPath(const CString& key) const
{
    const CString owner = PerUser() ? "p" + WithoutLeadingBlanks(dbPId) : "w" + WithoutLeadingBlanks(dbLfdWorkstation);
    CString dialogName = m_pDialog->GetMarkupKey();
    dialogName.Replace('/', '-');
    CString keyName = WithoutLeadingBlanks(key);
    if (keyName.IsEmpty())
        keyName = "0";
    return GetJ3DataPath(0) + "eInfo\\" + owner + "\\" + dialogName + "." + keyName;
}

bool CEInfo::PerUser()
{
    if (s_nPerUser < 0)
        s_nPerUser = CFavoSettings().m_bPostIt ? 1 : 0;
    return s_nPerUser > 0;
}
