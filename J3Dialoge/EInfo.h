#pragma once
#include "vkbasis/CString.h"

#include <vector>

class CWPFDialog;

// The eInfo notes of a dialog: loads the stored notes of a key into the
// dialog and stores the dialog's notes back, one text file per note in the
// database file store:
//
//   <data path>eInfo\<owner>\<markup key, "/" as "-">.<key>.<n>
//
// <owner> is "p" and the user id when notes are kept per user, otherwise "w"
// and the workstation number; <key> is the key without leading blanks, "0"
// for the empty key (a key of blanks only counts as empty, so a blank patient
// number addresses the dialog's own notes); <n> counts the notes from 0.
//
// What the user may do follows the permission of program 291 "eInfo": 1 read
// (raised to 2 when notes are kept per user: a user owns his own notes), 2
// read and store, anything else nothing. Whether notes are kept per user is
// the setting "usrpostit", read once per process.
//
// Notes come back in the order of their number, so that what was written is
// read in the same order also beyond ten notes; only files count, folders
// below the base path are no notes. Storing replaces all notes of the key in
// one database transaction: when a note cannot be deleted or saved, or the
// program ends half-way, the notes stored before stay as they were. Each
// failing file gets its error box ("eInfo"), its path and the reason the
// file store gave (the store reports on the database connection, not through
// the system's last error); when the database refuses the write lock, one
// box names the base path. The boxes show after the lock is given back.
//
// Notes stored for a patient whom another workstation merged away since they
// were read go to the patient he went into (CJPatMergeTrail): they take the
// place of the notes the merge moved there, after that patient's own.
class CEInfo {
public:
    // Asks the permission; the dialog must outlive this object.
    explicit CEInfo(CWPFDialog* dialog);
    CEInfo(const CEInfo&) = default;
    CEInfo& operator=(const CEInfo&) = default;
    ~CEInfo() = default;

    // Opens the stored notes of the key in the dialog (marked as a patient's
    // notes for a non-empty key, read-only with permission 1). Files that
    // cannot be loaded or are empty are left out.
    void ReadEInfo(const CString& key);
    // Closes the dialog's notes; with permission 2 their texts replace the
    // stored notes of the key, otherwise they are dropped.
    void WriteEInfo(const CString& key);

private:
    CString GetEInfoPath(const CString& key) const;
    // The stored notes under the base path, in the order of their number;
    // files with another suffix follow in the order of the search.
    static std::vector<CString> FindNotes(const CString& basePath);
    // Replaces the stored notes of the key, or leaves them as they were and
    // shows a box for each file that failed.
    void ReplaceNotes(const CString& key, std::vector<CString> texts);
    // The texts of the stored notes that are not empty, in order.
    static std::vector<CString> LoadNotes(const CString& basePath);
    // The stored notes of a kept patient without those moved there from
    // the patient shown (as read), followed by the texts.
    std::vector<CString> NotesAfterMerge(const CString& basePath, const std::vector<CString>& texts) const;
    static bool PerUser();

    CWPFDialog* m_pDialog;
    int m_nPermission;                 // a CJProgPool::PERMISSION value
    std::vector<CString> m_shownTexts; // as read by ReadEInfo
};
