#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The boxes are widgets: every test of the program runs inside one application.
class CQtApplication : public testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[12] = "msgbox_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] testing::Environment* const s_application = testing::AddGlobalTestEnvironment(new CQtApplication);

} // namespace
