#include "support/GuiApplication.h"
#include "vkwpfcpp/WPFVKLTreeView.h"
#include "vkwpfcpp/WPFXmlTreeModel.h"

#include <QTreeView>
#include <gtest/gtest.h>

#include <string>

namespace {

const char* const Document = "<Alle><K Value=\"K1\" KName=\"Eins\"><P Value=\"P1\">a</P><P Value=\"P2\" "
                             "IsEnabled=\"False\">b</P></K><K Value=\"K2\"><P Value=\"P3\">R\xF6ntgen</P></K></Alle>";

// The rows as shown: "text[value]" with children in parentheses, "-" before
// a disabled one.
std::string Shown(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    std::string shown;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        shown += std::string(row ? " " : "") + (index.flags() & Qt::ItemIsEnabled ? "" : "-") +
                 index.data().toString().toStdString() + "[" +
                 index.data(CWPFXmlTreeModel::ValueRole).toString().toStdString() + "]";
        if (model.rowCount(index) > 0)
            shown += "(" + Shown(model, index) + ")";
    }
    return shown;
}

// Binds the document, then removes the nodes of a path (when given) while
// the user has chosen "Röntgen", which stays chosen.
TEST(WPFVKLTreeView, ShowsTheElementsBelowTheItemPathAndRemovesNodesByPath)
{
    const std::string all = "Eins[K1](a[P1] -b[P2]) K[K2](Röntgen[P3])";
    // Valid: bound, and the path of removal valid.
    const struct { const char *document, *root, *itemPath, *removed; bool valid; std::string shown; } cases[] = {
        {Document, "Alle", ".", nullptr, true, all},
        {Document, "Alle", "K", nullptr, true, "a[P1] -b[P2] Röntgen[P3]"},
        {Document, "Andere", ".", nullptr, false, ""},
        {Document, "Alle", "K[", nullptr, false, ""},
        {"<Alle><K>", "Alle", ".", nullptr, false, ""},
        {Document, "Alle", ".", "*/*[@Value = \"P1\"]", true, "Eins[K1](-b[P2]) K[K2](Röntgen[P3])"},
        {Document, "Alle", ".", "K[@Value = \"K1\"]", true, "K[K2](Röntgen[P3])"},
        {Document, "Alle", ".", "*/*[@Value = \"P9\"]", true, all},
        {Document, "Alle", ".", "*/*[@Value = ", false, all},
    };
    j3test::GuiApplication::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.root) + " " + c.itemPath + " " + (c.removed ? c.removed : ""));
        QTreeView view;
        CWPFVKLTreeView tree;
        ASSERT_TRUE(tree.Attach(&view));
        tree.BindXML(Document, "Alle", "K");  // a former document goes
        const bool bound = tree.BindXML(c.document, c.root, c.itemPath);
        if (c.removed) {
            ASSERT_TRUE(bound);
            view.selectionModel()->select(view.model()->index(0, 0, view.model()->index(1, 0)),
                                          QItemSelectionModel::ClearAndSelect);
            EXPECT_EQ(tree.RemoveXMLNode(c.removed), c.valid);
            EXPECT_EQ(tree.GetSelectedValue(), "P3");
        } else {
            EXPECT_EQ(bound, c.valid);
        }
        EXPECT_EQ(Shown(*view.model()), c.shown);
    }
}

} // namespace
