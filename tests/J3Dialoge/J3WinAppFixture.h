#pragma once
#include "msgbox/BoxAnswerer.h"
#include "PracticeFixture.h"
#include "ShownTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

// A machine of its own for each test: drive C: is a temporary folder, the
// suite's directories lie on it, the machine parameters are the test's, and
// every box is answered (and recorded) without a person.
class J3WinAppFixture : public PracticeFixture, protected ShownTexts {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the machine configuration with these parameters and loads it;
    // drive C: is the given host folder, by default one of the test's own.
    void Configure(const std::map<std::string, std::string>& parameters, const std::string& driveC = "");
    // The host folder of a Windows path on drive C: ("C:\J3\Temp\" ...).
    std::string HostPath(const std::string& windowsPath) const;
    // Libraries loaded by name come from an empty folder.
    void RemovePlugins();
    // The boxes shown so far, as "caption|text".
    std::vector<std::string> ShownBoxes() const { return BoxLines(m_boxes.Records()); }

    CBoxAnswerer m_boxes;
    std::string m_pluginFolder;
};
