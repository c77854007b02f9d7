#include "j3db/J3DbImport.h"

#include "j3db/J3DbFrame.h"
#include "j3db/J3DbStorePath.h"
#include "j3db/J3LocalFile.h"
#include "j3db/J3ProgressBar.h"
#include "j3params/J3HostText.h"
#include "vkbasis/TerminalText.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

#include <algorithm>

CJ3DbResult CJ3DbImport::Run(CJ3DbFrame& frame, const Args& args) const
{
    const std::filesystem::path localDir = args[0];
    std::vector<std::filesystem::path> files;
    std::vector<std::filesystem::path> skipped;
    std::vector<CString> paths;
    if (CJ3DbResult collected = Collect(localDir, files, skipped); !collected.IsDone())
        return collected;
    if (CJ3DbResult named = StorePaths(args[1], files, paths); !named.IsDone())
        return named;
    for (const auto& link : skipped)
        frame.Err() << "j3db: übersprungen, keine gewöhnliche Datei (symbolische Verknüpfung, Gerät oder Pipe): "
                    << CTerminalText::Safe(std::string_view(link.string())) << "\n";
    if (files.empty()) {
        frame.Out() << "Im Ordner " << localDir.string() << " gibt es keine Dateien; nichts ist importiert.\n";
        return CJ3DbResult::Done();
    }
    std::uint64_t bytes = 0;
    if (CJ3DbResult stored = Store(frame, localDir, files, paths, bytes); !stored.IsDone())
        return stored;
    frame.Out() << files.size() << " Dateien (" << bytes << " Bytes) nach " << args[1] << " importiert.\n";
    return CJ3DbResult::Done();
}

CJ3DbResult CJ3DbImport::Collect(const std::filesystem::path& localDir, std::vector<std::filesystem::path>& files,
                                 std::vector<std::filesystem::path>& skipped)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(localDir, ec))
        return CJ3DbResult::Failed("Den lokalen Ordner " + localDir.string() + " gibt es nicht.");
    // Links are not followed, neither to files nor to folders: an import
    // takes what lies in the folder itself, and says what it passed over.
    for (std::filesystem::recursive_directory_iterator it(localDir, ec), end; !ec && it != end; it.increment(ec)) {
        const auto type = it->symlink_status(ec).type();
        if (type == std::filesystem::file_type::regular)
            files.push_back(it->path().lexically_relative(localDir));
        else if (type != std::filesystem::file_type::directory)
            skipped.push_back(it->path().lexically_relative(localDir));
    }
    if (ec)
        return CJ3DbResult::Failed("Der lokale Ordner " + localDir.string() +
                                   " kann nicht ganz gelesen werden: " + ec.message());
    std::sort(files.begin(), files.end());
    std::sort(skipped.begin(), skipped.end());
    return CJ3DbResult::Done();
}

CJ3DbResult CJ3DbImport::StorePaths(const std::string& storeDirArgument,
                                    const std::vector<std::filesystem::path>& files, std::vector<CString>& paths)
{
    std::string unfit;
    for (const auto& file : files) {
        if (!CJ3HostText::FitsSuite(file.string()))
            unfit += "\n  " + file.string();
    }
    if (!unfit.empty())
        return CJ3DbResult::Failed("Diese Namen kann die Datenbank nicht speichern (Zeichen außerhalb von "
                                   "Windows-1252); nichts ist importiert:" +
                                   unfit);
    CString storeDir;
    if (CJ3DbResult given = CJ3DbStorePath::FromArgument(storeDirArgument, storeDir); !given.IsDone())
        return given;
    storeDir = CJ3DbStorePath::WithoutTrailingSeparators(storeDir);
    std::string refused;
    for (const auto& file : files) {
        CString path = storeDir + "\\" + CJ3HostText::FromHost(file.string());
        path.Replace('/', '\\');
        if (const CJ3DbResult storable = CJ3DbStorePath::CheckNewFile(path); !storable.IsDone())
            refused += "\n  " + storable.Message();
        paths.push_back(path);
    }
    return refused.empty() ? CJ3DbResult::Done() : CJ3DbResult::WrongCall("Nichts ist importiert:" + refused);
}

CJ3DbResult CJ3DbImport::Store(CJ3DbFrame& frame, const std::filesystem::path& localDir,
                               const std::vector<std::filesystem::path>& files, const std::vector<CString>& paths,
                               std::uint64_t& bytes)
{
    if (CJ3DbResult opened = frame.OpenDatabase(false); !opened.IsDone())
        return opened;
    CDBFileStore store(dbDatabase);
    CVKTransaction transaction(dbDatabase);
    if (!transaction.IsActive())
        return CJ3DbFrame::DatabaseFailure();
    CJ3ProgressBar progress(frame.Err(), frame.ProgressStyle(CJ3ProgressBar::EStyle::Off), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string content;
        std::int64_t lastWriteTime = 0;
        std::string error;
        const bool stored = CJ3LocalFile::Read(localDir / files[i], false, content, lastWriteTime, error) &&
                            store.SaveFile(paths[i], CString(content), lastWriteTime);
        if (!stored)
            return error.empty() ? CJ3DbFrame::DatabaseFailure()
                                 : CJ3DbResult::Failed(error + " Nichts ist importiert.");
        bytes += content.size();
        progress.Update(i + 1);
    }
    progress.Finish();
    return transaction.Commit() ? CJ3DbResult::Done() : CJ3DbFrame::DatabaseFailure();
}
