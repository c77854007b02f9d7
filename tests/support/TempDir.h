#pragma once
#include <filesystem>
#include <string>

namespace j3test {

// A fresh folder under the system temp directory, removed with everything
// in it when the object goes out of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// The bytes of a file; empty when it cannot be read.
std::string FileBytes(const std::filesystem::path& file);

} // namespace j3test
