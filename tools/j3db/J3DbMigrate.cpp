#include "j3db/J3DbMigrate.h"

#include "j3db/J3DbFrame.h"
#include "j3db/J3NewDatabaseFile.h"
#include "j3params/J3HostText.h"
#include "vkdb/VKDatabase.h"

CJ3DbResult CJ3DbMigrate::Run(CJ3DbFrame& frame, const Args& args) const
{
    const std::filesystem::path from = CJ3DbFrame::Location(args[0]);
    const std::filesystem::path to = CJ3DbFrame::Location(args[1]);
    if (from == to)
        return CJ3DbResult::WrongCall("migrate braucht zwei verschiedene Datenbanken.");
    frame.CatchInterrupts();
    CVKDatabase source;
    if (!source.Open(from))
        return CJ3DbResult::Failed(CJ3HostText::ToHost(source.GetLastError()));
    // A new file is built beside its place and named only when the copy is
    // complete and checked; a server database or an existing file is written
    // in the copy's transaction.
    std::error_code ec;
    const bool newFile =
        !CVKDatabase::IsServerLocation(to) && !std::filesystem::exists(std::filesystem::symlink_status(to, ec));
    CJ3NewDatabaseFile file(to);
    if (newFile)
        if (CJ3DbResult prepared = file.Prepare(); !prepared.IsDone())
            return prepared;
    CVKDatabase target;
    CJ3PracticeCopy copy(source, target);
    if (CJ3DbResult copied = Copy(frame, copy, target, newFile ? file.Building() : to, newFile); !copied.IsDone())
        return copied;
    target.Close();
    if (newFile)
        if (CJ3DbResult published = file.Publish(); !published.IsDone())
            return published;
    std::int64_t records = 0;
    for (const auto& check : copy.Checks())
        records += check.records;
    frame.Out() << "Praxis kopiert und geprüft: " << records << " Datensätze in " << copy.Checks().size()
                << " Tabellen.\n";
    return CJ3DbResult::Done();
}

CJ3DbResult CJ3DbMigrate::Copy(CJ3DbFrame& frame, CJ3PracticeCopy& copy, CVKDatabase& target,
                               const std::filesystem::path& building, bool newFile)
{
    const auto style = frame.ProgressStyle(CJ3ProgressBar::EStyle::Lines);
    std::optional<CJ3PracticeCopy::EResult> result;
    const auto runCopy = [&] {
        result = copy.Run(frame.Err(), style, &CJ3DbFrame::Interrupted);
        return result == CJ3PracticeCopy::EResult::Done;
    };
    bool written = false;
    if (newFile || CVKDatabase::IsServerLocation(building))
        written = target.Create(building, runCopy);
    if (!result && !newFile) {
        bool holds = false;
        if (!target.Open(building))
            return CJ3DbResult::Failed(CJ3HostText::ToHost(target.GetLastError()));
        if (!copy.TargetHoldsRecords(holds))
            return CJ3DbResult::Failed(CJ3HostText::ToHost(copy.Error()));
        if (holds)
            return CJ3DbResult::Failed("Im Ziel gibt es schon eine Praxis; migrate kopiert nur in eine leere "
                                       "Datenbank. Nichts ist geändert.");
        written = runCopy();
    }
    return Verdict(result, written, copy, target);
}

CJ3DbResult CJ3DbMigrate::Verdict(const std::optional<CJ3PracticeCopy::EResult>& result, bool written,
                                  const CJ3PracticeCopy& copy, const CVKDatabase& target)
{
    const std::string nothingCopied = " Ins Ziel ist nichts kopiert.";
    if (!result)
        return CJ3DbResult::Failed(CJ3HostText::ToHost(target.GetLastError()) + nothingCopied);
    switch (*result) {
    case CJ3PracticeCopy::EResult::Interrupted:
        return CJ3DbResult::Failed("Abgebrochen; ins Ziel ist nichts kopiert.");
    case CJ3PracticeCopy::EResult::Failed:
        return CJ3DbResult::Failed(CJ3HostText::ToHost(copy.Error()) + nothingCopied);
    case CJ3PracticeCopy::EResult::Done:
        break;
    }
    return written ? CJ3DbResult::Done()
                   : CJ3DbResult::Failed(CJ3HostText::ToHost(target.GetLastError()) + nothingCopied);
}
