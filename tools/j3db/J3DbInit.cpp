#include "j3db/J3DbInit.h"

#include "j3db/J3DbFrame.h"
#include "j3db/J3NewDatabaseFile.h"
#include "j3db/J3SamplePractice.h"
#include "j3params/J3HostText.h"
#include "vkdb/VKDatabase.h"

CJ3DbResult CJ3DbInit::Run(CJ3DbFrame& frame, const Args& args) const
{
    bool sample = false;
    std::filesystem::path location = frame.Database();
    bool locationGiven = false;
    for (const auto& arg : args) {
        if (arg == "--sample") {
            sample = true;
        } else if (arg.starts_with("-")) {
            return CJ3DbResult::WrongCall("Unbekannte Option " + arg + " für init.");
        } else if (locationGiven || (frame.DatabaseGiven() && CJ3DbFrame::Location(arg) != frame.Database())) {
            return CJ3DbResult::WrongCall("init legt nur eine Datenbank an.");
        } else {
            location = CJ3DbFrame::Location(arg);
            locationGiven = true;
        }
    }
    frame.CatchInterrupts();
    const bool server = CVKDatabase::IsServerLocation(location);
    CJ3NewDatabaseFile file(location);
    if (!server)
        if (CJ3DbResult prepared = file.Prepare(); !prepared.IsDone())
            return prepared;
    if (CJ3DbResult built = Build(server ? location : file.Building(), sample); !built.IsDone())
        return built;
    if (!server)
        if (CJ3DbResult published = file.Publish(); !published.IsDone())
            return published;
    frame.Out() << "Praxisdatenbank " << (server ? std::string("auf dem Datenbankserver") : location.string())
                << " angelegt" << (sample ? " mit der Beispielpraxis" : "") << ".\n";
    return CJ3DbResult::Done();
}

CJ3DbResult CJ3DbInit::Build(const std::filesystem::path& building, bool sample)
{
    CString sampleError;
    bool filled = true;
    const auto fill = [&] {
        filled = !sample || CJ3SamplePractice::Fill(sampleError);
        return filled && !CJ3DbFrame::Interrupted();
    };
    const bool created = dbDatabase.Create(building, fill);
    dbDatabase.Close();
    if (!created && CJ3DbFrame::Interrupted())
        return CJ3DbResult::Failed("Abgebrochen; nichts ist angelegt.");
    if (!filled)
        return CJ3DbResult::Failed("Die Beispielpraxis kann nicht angelegt werden, nichts ist angelegt: " +
                                   CJ3HostText::ToHost(sampleError));
    // Closing keeps the reason of a failed creation.
    return created ? CJ3DbResult::Done() : CJ3DbFrame::DatabaseFailure();
}
