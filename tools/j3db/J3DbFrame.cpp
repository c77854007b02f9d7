#include "j3db/J3DbFrame.h"

#include "dbdll/PracticeDatabase.h"
#include "j3db/J3DbStorePath.h"
#include "j3params/J3HostText.h"
#include "vkdb/VKDatabase.h"

CJ3DbFrame::CJ3DbFrame(std::ostream& out, std::ostream& err, bool progressBar, std::filesystem::path database,
                       bool databaseGiven)
    : m_out(out), m_err(err), m_progressBar(progressBar), m_database(std::move(database)),
      m_databaseGiven(databaseGiven)
{
}

CJ3DbFrame::~CJ3DbFrame()
{
    CPracticeDatabase::Close();
}

std::filesystem::path CJ3DbFrame::Location(const std::string& argument)
{
    return CVKDatabase::IsServerLocation(argument) ? std::filesystem::path(argument)
                                                   : std::filesystem::absolute(argument);
}

CJ3DbResult CJ3DbFrame::OpenDatabase(bool readOnly)
{
    // Commands that only read also work on a database that cannot be
    // written (a read-only folder or file): they open it read-only then.
    // Otherwise the usual read-write open cleans up the log's side files.
    if (readOnly && !CVKDatabase::IsServerLocation(m_database) && !CVKDatabase::IsWritableFile(m_database))
        return dbDatabase.Open(m_database, CVKDatabase::EOpenMode::ReadOnly) ? CJ3DbResult::Done() : DatabaseFailure();
    CString error;
    if (CPracticeDatabase::Open(m_database, error))
        return CJ3DbResult::Done();
    return CJ3DbResult::Failed(CJ3HostText::ToHost(error));
}

CJ3DbResult CJ3DbFrame::OpenForStorePath(const std::string& argument, bool readOnly, CString& path)
{
    const CJ3DbResult given = CJ3DbStorePath::FromArgument(argument, path);
    return given.IsDone() ? OpenDatabase(readOnly) : given;
}

CJ3DbResult CJ3DbFrame::DatabaseFailure()
{
    return CJ3DbResult::Failed(CJ3HostText::ToHost(dbDatabase.GetLastError()));
}

CJ3ProgressBar::EStyle CJ3DbFrame::ProgressStyle(CJ3ProgressBar::EStyle withoutTerminal) const
{
    return m_progressBar ? CJ3ProgressBar::EStyle::Bar : withoutTerminal;
}

void CJ3DbFrame::CatchInterrupts()
{
    m_interrupts.emplace();
}
