#include "J3Dialoge/DBDirectoryCreator.h"

#include "msgbox/Boxes.h"
#include "vkdb/DBFileFunctions.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"
#include "winpath/AnsiLiteral.h"
#include "winpath/WindowsNameRules.h"

CDBDirectoryCreator::CDBDirectoryCreator(const CDBFilePathModel& model) : m_model(model)
{
}

CDBDirectoryCreator::~CDBDirectoryCreator()
{
    for (const std::string& placeholder : m_createdDummyFiles) {
        // Looked at and deleted under the write lock, so that a file saved
        // there meanwhile by another workstation is never taken for it.
        CVKTransaction transaction(dbDatabase);
        if (transaction.IsActive() && IsEmptyFile(placeholder) && DeleteFileDB(CString(placeholder)))
            transaction.Commit();
    }
}

bool CDBDirectoryCreator::IsEmptyFile(const std::string& path)
{
    CString content;
    return FileExistsDB(CString(path)) && LoadTextFileDB(CString(path), content) && content.IsEmpty();
}

bool CDBDirectoryCreator::ValidateCreationPath(const winpath::path& dir) const
{
    const winpath::path root = m_model.AllowedRootDirForRealPath(dir);
    if (dir.string().size() > kMaxPathLength)
        return false;
    if (!dir.is_absolute())
        return false;
    if (CWindowsNameRules::HasInvalidPathComponent(dir))
        return false;
    return !root.empty();
}

bool CDBDirectoryCreator::CreateDummyFile(const winpath::path& dir)
{
    const std::string placeholder = (dir / CDBFilePathModel::DUMMY_FILENAME).string();
    CVKTransaction transaction(dbDatabase);
    if (!transaction.IsActive())
        return false;
    if (FileExistsDB(CString(placeholder)))
        return true;
    if (!SaveTextFileDB(CString(placeholder), CString()) || !transaction.Commit())
        return false;
    m_createdDummyFiles.push_back(placeholder);
    return true;
}

void CDBDirectoryCreator::OnCreationPathValidationFailed(QWidget* parent) const
{
    CString displayNames;
    const char* separator = "";
    for (const auto& root : m_model.AllowedRootDirs()) {
        displayNames += separator;
        displayNames += CString(root.second.string());
        separator = ", ";
    }
    HaltI("Ungültiges Verzeichnis"_ansi,
          "Das angegebene Verzeichnis muss ein Unterverzeichnis von einem der folgenden Verzeichnisse sein: " +
              displayNames,
          parent);
}

void CDBDirectoryCreator::OnDirCreationFailed(QWidget* parent)
{
    HaltI("Verzeichnis konnte nicht erstellt werden",
          "Das angegebene Verzeichnis konnte nicht in der Datenbank erstellt werden!", parent);
}
