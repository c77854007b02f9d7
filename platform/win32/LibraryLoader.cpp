#include "win32/LibraryLoader.h"

#include "win32/Win32Journal.h"

#include <dlfcn.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

namespace {

std::mutex& FolderMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::optional<std::string>& ConfiguredFolder()
{
    static std::optional<std::string> folder;
    return folder;
}

std::string ProgramFolder()
{
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "C:\Suite\j3up.dll" -> "j3up"; the extension ".dll" is the Windows spelling
// of a library and is dropped in any case; "libX.so" stays "libX.so".
std::string BaseName(const std::string& libraryName)
{
    std::string name = libraryName.substr(libraryName.find_last_of("\\/") + 1);
    if (name.size() > 4 && Lowered(name.substr(name.size() - 4)) == ".dll")
        name.resize(name.size() - 4);
    return name;
}

// The name each handle was loaded under, for the journal.
std::map<HMODULE, std::string>& LoadedNames()
{
    static std::map<HMODULE, std::string> names;
    return names;
}

std::string& LastFailureText()
{
    thread_local std::string text;
    return text;
}

std::string LoadedName(HMODULE module)
{
    std::lock_guard lock(FolderMutex());
    const auto found = LoadedNames().find(module);
    return found == LoadedNames().end() ? std::string("?") : found->second;
}

} // namespace

void CLibraryLoader::SetPluginFolder(const std::string& folder)
{
    std::lock_guard lock(FolderMutex());
    ConfiguredFolder() = folder;
}

std::string CLibraryLoader::PluginFolder()
{
    {
        std::lock_guard lock(FolderMutex());
        if (ConfiguredFolder())
            return *ConfiguredFolder();
    }
    if (const char* fromEnvironment = std::getenv("J3_PLUGIN_DIR"); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    return ProgramFolder();
}

std::string CLibraryLoader::SharedObjectPath(LPCSTR libraryName)
{
    if (!libraryName || !*libraryName)
        return {};
    const std::string base = BaseName(libraryName);
    const std::filesystem::path folder = PluginFolder();
    const std::string candidates[] = {"lib" + base + ".so", base + ".so", base};
    for (const std::string& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / candidate, error))
            return (folder / candidate).string();
    }
    // Windows names of libraries ignore case ("J3UP.DLL").
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = Lowered(entry.path().filename().string());
        for (const std::string& candidate : candidates)
            if (name == Lowered(candidate) && entry.is_regular_file(error))
                return entry.path().string();
    }
    return {};
}

std::string CLibraryLoader::LastFailure()
{
    return LastFailureText();
}

HMODULE LoadLibraryA(LPCSTR libraryName)
{
    CWin32Journal::Record(std::string("LoadLibrary ") + (libraryName ? libraryName : ""));
    const std::string path = CLibraryLoader::SharedObjectPath(libraryName);
    if (path.empty()) {
        const std::string base = BaseName(libraryName ? libraryName : "");
        LastFailureText() = "lib" + base + ".so, " + base + ".so oder " + base + " gibt es nicht im Ordner " +
                            CLibraryLoader::PluginFolder();
        return nullptr;
    }
    const auto module = static_cast<HMODULE>(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!module) {
        // The loader names the file itself, unless a library it needs failed.
        const char* text = dlerror();
        const std::string reason = text ? text : "?";
        LastFailureText() = reason.starts_with(path) ? reason : path + ": " + reason;
        return nullptr;
    }
    std::lock_guard lock(FolderMutex());
    LoadedNames().emplace(module, libraryName);
    return module;
}

HMODULE AfxLoadLibrary(LPCSTR libraryName)
{
    return LoadLibraryA(libraryName);
}

BOOL FreeLibrary(HMODULE module)
{
    if (!module)
        return 0;
    CWin32Journal::Record("FreeLibrary " + LoadedName(module));
    return 1;
}

BOOL AfxFreeLibrary(HMODULE module)
{
    return FreeLibrary(module);
}

HMODULE GetModuleHandleA(LPCSTR libraryName)
{
    if (!libraryName)
        return static_cast<HMODULE>(dlopen(nullptr, RTLD_LAZY));
    const std::string path = CLibraryLoader::SharedObjectPath(libraryName);
    if (path.empty())
        return nullptr;
    return static_cast<HMODULE>(dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD));
}

FARPROC GetProcAddress(HMODULE module, LPCSTR functionName)
{
    if (!module || !functionName)
        return nullptr;
    dlerror();
    const auto function = reinterpret_cast<FARPROC>(dlsym(module, functionName));
    if (!function) {
        const char* reason = dlerror();
        LastFailureText() = reason ? reason : std::string(functionName) + " ist null";
    }
    return function;
}

HMODULE ModuleHandleOfAddress(const void* address)
{
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname)
        return nullptr;
    return static_cast<HMODULE>(dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD));
}
