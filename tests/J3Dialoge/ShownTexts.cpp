#include "ShownTexts.h"

#include "support/DialogDriver.h"

#include <QDialog>
#include <QLineEdit>
#include <QTreeView>
#include <gtest/gtest.h>

std::string ShownTexts::Text(QDialog& window, const std::string& name)
{
    auto* box = qobject_cast<QLineEdit*>(j3test::DialogDriver::Find(window, name));
    EXPECT_NE(box, nullptr) << name;
    return box ? box->text().toStdString() : std::string();
}

std::vector<std::string> ShownTexts::Column(QDialog& window, const std::string& list, int column)
{
    auto* view = qobject_cast<QTreeView*>(j3test::DialogDriver::Find(window, list));
    EXPECT_NE(view, nullptr) << list;
    std::vector<std::string> cells;
    for (int row = 0; view && row < view->model()->rowCount(); ++row)
        cells.push_back(view->model()->index(row, column).data().toString().toStdString());
    return cells;
}

std::vector<std::string> ShownTexts::BoxLines(const std::vector<SBoxRecord>& records)
{
    std::vector<std::string> lines;
    for (const SBoxRecord& box : records) {
        switch (box.kind) {
        case EBoxKind::ProgressOpen: lines.push_back("open"); break;
        case EBoxKind::ProgressUpdate:
            lines.push_back("at " + std::to_string(box.position) + "/" + std::to_string(box.total));
            break;
        case EBoxKind::ProgressText: lines.push_back("text " + box.text); break;
        case EBoxKind::ProgressClose: lines.push_back("close"); break;
        default: lines.push_back(box.caption + "|" + box.text);
        }
    }
    return lines;
}
