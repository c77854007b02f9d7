#include "J3Dialoge/DBDirectoryCreator.h"

#include "winpath/WindowsNameRules.h"
#include "msgbox/Boxes.h"
#include "vkdb/DBFileFunctions.h"

CDBDirectoryCreator::CDBDirectoryCreator(const CDBFilePathModel& model)
    : m_model(model)
{
}

CDBDirectoryCreator::~CDBDirectoryCreator()
{
    for (const std::string& placeholder : m_createdDummyFiles)
        if (FileExistsDB(CString(placeholder)))
            DeleteFileDB(CString(placeholder));
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
    if (!SaveTextFileDB(CString(placeholder), CString()))
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
    // Box texts are Windows-1252 bytes ("\xfc" is a u with umlaut).
    HaltI("Ung\xfc" "ltiges Verzeichnis",
          "Das angegebene Verzeichnis muss ein Unterverzeichnis von einem der folgenden Verzeichnisse sein: "
              + displayNames,
          parent);
}

void CDBDirectoryCreator::OnDirCreationFailed(QWidget* parent)
{
    HaltI("Verzeichnis konnte nicht erstellt werden",
          "Das angegebene Verzeichnis konnte nicht in der Datenbank erstellt werden!", parent);
}
