#include "LoadWorkstation.h"

#include "J3Dialoge/EInfo.h"
#include "J3Dialoge/WPFJ3Dialog.h"
#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "j3params/J3Params.h"
#include "support/BenchDialogs.h"
#include "vkdb/DBFileFunctions.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/WPFDialog.h"

#include <QDialog>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

constexpr int kSlots = 3;
constexpr const char* kParameterNr = "900";
constexpr const char* kNotesDialog = "jt/j3praxis/PraxisDesk";
// Dialog classes that every workstation opens.
const char* const kPlacementDialogs[kSlots] = {"jt/j3praxis/DiaPatJoin", "jt/j3dialoge/DiaIndexMarkerConfig",
                                               "jt/j3praxis/PraxisDesk"};

CString Formatted(const char* format, int a, int b = 0)
{
    CString text;
    text.Format(format, a, b);
    return text;
}

int Workstation()
{
    return std::atoi(dbLfdWorkstation);
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

} // namespace

void CLoadWorkstation::Run(std::chrono::seconds duration)
{
    // Placements are kept on this workstation.
    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = "269";
    pool.m_strKey = Formatted("savewps%03d", Workstation());
    pool.m_strValue = "1";
    Done(pool.WriteValue(""), {"param", "269", pool.m_strKey.str()}, "1", "Platzierungsschalter");

    const auto end = std::chrono::steady_clock::now() + duration;
    for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
        const int slot = round % kSlots;
        WriteParameter(slot, Formatted("%d", round));
        WritePlacement(slot, round);
        WriteNotes(slot, Formatted("Arbeitsplatz %d, Runde %d", Workstation(), round));
        WriteFile(slot, round);
    }
}

void CLoadWorkstation::WriteParameter(int slot, const CString& value)
{
    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = kParameterNr;
    pool.m_strKey = Formatted("last%03d-%d", Workstation(), slot);
    pool.m_strValue = value;
    Done(pool.WriteValue(""), {"param", kParameterNr, pool.m_strKey.str()}, value, "Parameter");
}

void CLoadWorkstation::WritePlacement(int slot, int round)
{
    const char* markupKey = kPlacementDialogs[slot];
    const int left = 10 + round % 400;
    const int top = 20 + round % 300;
    {
        CWPFJ3Dialog dialog(markupKey, "j3wpfcs", nullptr);
        j3bench::RunWhenShown(dialog, [&](QDialog& window) {
            window.setGeometry(left, top, 420, 310);
            dialog.EndDialog(1);
        });
    }
    // "flags|showCmd|minX|minY|maxX|maxY|left|top|right|bottom"
    const CString stored = StoredPlacement(markupKey);
    const bool moved = stored.str().find(Formatted("|%d|%d|", left, top).str()) != std::string::npos;
    Done(moved, {"placement", markupKey, ""}, stored, "Fensterplatzierung");
}

void CLoadWorkstation::WriteNotes(int slot, const CString& text)
{
    const std::size_t boxesBefore = m_answerer.Records().size();
    const CString key = Formatted("900%d", slot);
    CWPFDialog dialog(kNotesDialog, "j3wpfcs", nullptr);
    CEInfo eInfo(&dialog);
    dialog.OpenVKPostIts({text}, false, false);
    eInfo.WriteEInfo(key);
    // The store reports a failed note with a box.
    Done(m_answerer.Records().size() == boxesBefore, {"notes", kNotesDialog, key.str()}, text, "eInfo");
}

void CLoadWorkstation::WriteFile(int slot, int round)
{
    const CString path = GetJ3DataPath(0) + Formatted("Last\\Arbeitsplatz%03d\\Datei%d.txt", Workstation(), slot);
    const CString header = Formatted("Arbeitsplatz %d, Runde %d", Workstation(), round);
    Done(SaveTextFileDB(path, FileContent(header)), {"file", path.str(), ""}, header, "Datei");
}

void CLoadWorkstation::Done(bool done, const Key& key, const CString& value, const char* what)
{
    const auto now = std::chrono::steady_clock::now();
    if (done) {
        ++m_writes;
        m_last[key] = value.str();
        m_pending.erase(key);
        if (m_failing)
            m_longestOutage =
                std::max(m_longestOutage, std::chrono::duration_cast<std::chrono::milliseconds>(now - m_lastDone));
        m_failing = false;
        m_lastDone = now;
        return;
    }
    ++m_errors;
    m_failing = true;
    m_pending[key] = value.str();
    std::cerr << "j3loadrun: Arbeitsplatz " << Workstation() << ": " << what
              << " nicht geschrieben: " << dbDatabase.GetLastError().GetString() << "\n";
}

std::size_t CLoadWorkstation::Boxes() const
{
    return m_answerer.Records().size();
}

bool CLoadWorkstation::WriteJournal(const std::filesystem::path& file) const
{
    std::ofstream out(file, std::ios::binary);
    out << "workstation\t" << dbLfdWorkstation.GetString() << "\nwrites\t" << m_writes << "\nerrors\t" << m_errors
        << "\nboxes\t" << Boxes() << "\noutage_ms\t" << m_longestOutage.count() << "\n";
    for (const auto& [key, value] : m_last) {
        const auto pending = m_pending.find(key);
        out << std::get<0>(key) << "\t" << std::get<1>(key) << "\t" << std::get<2>(key) << "\t" << value
            << (pending == m_pending.end() ? "" : "\t" + pending->second) << "\n";
    }
    return static_cast<bool>(out.flush());
}

CLoadWorkstation::SVerdict CLoadWorkstation::Verify(const std::filesystem::path& journal)
{
    SVerdict verdict;
    std::ifstream in(journal, std::ios::binary);
    verdict.readable = static_cast<bool>(in);
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 2) {
            const std::size_t count = std::strtoull(f[1].c_str(), nullptr, 10);
            if (f[0] == "workstation")
                dbLfdWorkstation = f[1].c_str();
            else if (f[0] == "outage_ms")
                verdict.longestOutageMs = std::max(verdict.longestOutageMs, count);
            else
                (f[0] == "writes" ? verdict.writes : f[0] == "errors" ? verdict.errors : verdict.boxes) += count;
            continue;
        }
        ++verdict.checked;
        const CString expected = f.size() > 3 ? CString(f[3]) : CString();
        const CString pending = f.size() > 4 ? CString(f[4]) : expected;
        CString stored;
        if (f[0] == "param") {
            CJParPool pool(&dbDatabase, nullptr);
            pool.m_strNr = f[1].c_str();
            pool.m_strKey = f[2].c_str();
            if (pool.GetByK1(0) == CVKRSet::FOUND)
                stored = pool.m_strValue;
        } else if (f[0] == "placement") {
            stored = StoredPlacement(f[1].c_str());
        } else if (f[0] == "notes") {
            stored = StoredNotes(f[1].c_str(), f[2].c_str());
        } else if (f[0] == "file" && LoadTextFileDB(f[1].c_str(), stored)) {
            stored = stored == FileContent(expected)  ? expected
                     : stored == FileContent(pending) ? pending
                                                      : CString("anderer Inhalt");
        }
        if (stored != expected && stored != pending) {
            ++verdict.lost;
            std::cerr << "j3loadrun: verloren: " << line << " (gespeichert: " << stored.GetString() << ")\n";
        }
    }
    return verdict;
}

CString CLoadWorkstation::FileContent(const CString& header)
{
    CString content;
    for (int line = 0; line < 64; ++line)
        content += header + Formatted(", Zeile %d\r\n", line) + CString(std::string(40, 'x'));
    return content;
}

CString CLoadWorkstation::StoredPlacement(const CString& markupKey)
{
    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = "269";
    pool.m_strValue = "j3wpfcs/" + markupKey;
    if (pool.GetByValue() != CVKRSet::FOUND)
        return {};
    const CString number = pool.m_strKey.Mid(3);
    pool.m_strNr = "269";
    pool.m_strKey = "dps" + number + dbLfdWorkstation;
    return pool.GetByK1(0) == CVKRSet::FOUND ? pool.m_strValue : CString();
}

CString CLoadWorkstation::StoredNotes(const CString& markupKey, const CString& key)
{
    CWPFDialog dialog(markupKey, "j3wpfcs", nullptr);
    CEInfo eInfo(&dialog);
    eInfo.ReadEInfo(key);
    std::vector<CString> texts;
    dialog.CloseVKPostIts(texts);
    return texts.size() == 1 ? texts[0] : CString();
}
