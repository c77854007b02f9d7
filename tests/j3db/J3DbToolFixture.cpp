#include "J3DbToolFixture.h"

#include "j3db/J3DbTool.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

J3DbToolFixture::J3DbToolFixture()
    : m_database(m_dir.file("praxis.j3db")), m_configFile(m_dir.file("j3machine.ini"))
{
    std::ofstream(m_configFile) << "[paths]\ndata = D:\\Praxis\\Daten\\\nqa = D:\\Praxis\\QA\\\n"
                                << "[database]\nfile = configured.j3db\n";
    setenv("J3_CONFIG", m_configFile.c_str(), 1);
}

J3DbToolFixture::~J3DbToolFixture()
{
    unsetenv("J3_CONFIG");
}

J3DbToolFixture::SResult J3DbToolFixture::Run(std::vector<std::string> args, bool progressBar)
{
    args.insert(args.begin(), {"--db", m_database});
    return RunPlain(args, progressBar);
}

J3DbToolFixture::SResult J3DbToolFixture::RunPlain(const std::vector<std::string>& args, bool progressBar)
{
    std::ostringstream out;
    std::ostringstream err;
    CJ3DbTool tool(out, err, progressBar);
    const int exitCode = tool.Run(args);
    return {exitCode, out.str(), err.str()};
}

std::string J3DbToolFixture::Ok(const std::vector<std::string>& args)
{
    const SResult result = Run(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    return result.out;
}

void J3DbToolFixture::WriteLocal(const std::string& relative, const std::string& bytes)
{
    const std::filesystem::path file = m_dir.path() / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}
