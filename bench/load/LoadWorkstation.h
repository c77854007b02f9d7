#pragma once
#include "msgbox/BoxAnswerer.h"
#include "vkbasis/CString.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

// One workstation of the load run. Until its time is up it writes in turn,
// through the operations a program of the suite uses:
// - a parameter (CJParPool::WriteValue) on one of a few keys of its own,
// - the placement of a dialog: the dialog is opened, moved and closed, and
//   the base dialog stores where it was (all workstations share the dialog
//   classes, so they also race for the dialog numbers),
// - the eInfo notes of a dialog (CEInfo::WriteEInfo) on one of a few keys,
// - a file of the database file store (SaveTextFileDB), a few kilobytes.
// Every write reported done is remembered with its value; the journal keeps
// the last one of each key, and Verify checks later, on the database, that
// each of them is still there. A write that is not done, or a box that would
// have reached a person, is an error; boxes are answered by a recorder.
// When the server goes away in the middle (a failover, a restart), a write
// reported failed may still have been committed: its value counts as kept
// too, until the next write of the key is done. The journal also keeps the
// longest time the workstation could not write.
class CLoadWorkstation {
public:
    void Run(std::chrono::seconds duration);
    // "workstation", "writes", "errors" lines, then one line per key.
    bool WriteJournal(const std::filesystem::path& file) const;

    // Boxes that would have reached a person.
    std::size_t Boxes() const;

    struct SVerdict {
        std::size_t checked = 0;
        std::size_t lost = 0;
        std::size_t writes = 0;
        std::size_t errors = 0;
        std::size_t boxes = 0;
        std::size_t longestOutageMs = 0;
        bool readable = true;
    };
    // Checks a journal against the practice database of the running program.
    static SVerdict Verify(const std::filesystem::path& journal);

private:
    // kind, then up to two key parts
    using Key = std::tuple<std::string, std::string, std::string>;

    void WriteParameter(int slot, const CString& value);
    void WritePlacement(int slot, int round);
    void WriteNotes(int slot, const CString& text);
    void WriteFile(int slot, int round);
    void Done(bool done, const Key& key, const CString& value, const char* what);

    static CString FileContent(const CString& header);
    static CString StoredPlacement(const CString& markupKey);
    static CString StoredNotes(const CString& markupKey, const CString& key);

    CBoxAnswerer m_answerer;
    std::map<Key, std::string> m_last;
    // The value of the last failed write of a key, when no write was done since.
    std::map<Key, std::string> m_pending;
    std::size_t m_writes = 0;
    std::size_t m_errors = 0;
    std::chrono::steady_clock::time_point m_lastDone = std::chrono::steady_clock::now();
    bool m_failing = false;
    std::chrono::milliseconds m_longestOutage{0};
};
