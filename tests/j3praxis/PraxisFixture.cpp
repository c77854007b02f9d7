#include "PraxisFixture.h"

#include "dbdll/JPat.h"
#include "dbdll/JProgPool.h"
#include "j3params/J3Params.h"
#include "support/DialogDriver.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/WPFIndexMarkerStrip.h"

#include <QDialog>

CString PraxisFixture::PatNr(int number)
{
    CString text;
    text.Format("%10d", number);
    return text;
}

void PraxisFixture::StorePatient(int number, const char* name, const std::string& indexMarker, const char* emoji)
{
    WithDatabase([&] {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = PatNr(number);
        patient.m_strName = name;
        patient.m_strVorname = "Eva";
        patient.m_strGebDat = "19700131";
        patient.m_strIndexMarker = CString(indexMarker);
        patient.m_strEmoji1 = emoji;
        EXPECT_TRUE(patient.Write(""));
    });
}

void PraxisFixture::SetMarkerPermission(int permission)
{
    WithDatabase([&] { EXPECT_TRUE(CJProgPool::SetPermission(278, "Karteireiter Konfiguration", "", permission)); });
}

std::string PraxisFixture::StoredFlags(int number)
{
    std::string flags = "?";
    WithDatabase([&] {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = PatNr(number);
        if (patient.GetByK1(0) == CVKRSet::FOUND)
            flags = patient.m_strIndexMarker.str();
    });
    return flags;
}

std::string PraxisFixture::DeskNote(const char* key, int position)
{
    return (GetJ3DataPath(0) + "eInfo\\w1\\jt-j3praxis-PraxisDesk." + key + "." + std::to_string(position).c_str())
        .str();
}

std::string PraxisFixture::ShownMarkers(QDialog& window)
{
    auto* strip = dynamic_cast<CWPFIndexMarkerStrip*>(j3test::DialogDriver::Find(window, "IndexMarker"));
    if (!strip)
        return "no strip";
    std::string shown;
    for (int i = 0; i < strip->MarkerCount(); ++i)
        if (strip->IsMarkerVisible(i))
            shown += (shown.empty() ? "" : " ") + std::to_string(i);
    return shown;
}

std::string PraxisFixture::Flags(std::initializer_list<int> markers)
{
    std::string flags(47, ' ');
    for (int marker : markers)
        flags[22 + marker] = '1';
    return flags;
}
