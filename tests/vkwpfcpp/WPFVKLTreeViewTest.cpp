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

TEST(WPFVKLTreeView, ShowsTheElementsBelowTheItemPath)
{
    struct SCase {
        const char* document;
        const char* root;
        const char* itemPath;
        bool bound;
        std::string shown;
    };
    const SCase cases[] = {
        {Document, "Alle", ".", true, "Eins[K1](a[P1] -b[P2]) K[K2](Röntgen[P3])"},
        {Document, "Alle", "K", true, "a[P1] -b[P2] Röntgen[P3]"},
        {Document, "Andere", ".", false, ""},
        {Document, "Alle", "K[", false, ""},
        {"<Alle><K>", "Alle", ".", false, ""},
    };
    j3test::GuiApplication::Instance();
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.root) + " " + c.itemPath);
        QTreeView view;
        CWPFVKLTreeView tree;
        ASSERT_TRUE(tree.Attach(&view));
        tree.BindXML(Document, "Alle", ".");  // a former document goes
        EXPECT_EQ(tree.BindXML(c.document, c.root, c.itemPath), c.bound);
        EXPECT_EQ(Shown(*view.model()), c.shown);
    }
}

TEST(WPFVKLTreeView, RemovesTheNodesOfAPathAndKeepsTheChoice)
{
    struct SCase {
        const char* path;
        bool valid;
        std::string shown;
    };
    const SCase cases[] = {
        {"*/*[@Value = \"P1\"]", true, "Eins[K1](-b[P2]) K[K2](Röntgen[P3])"},
        {"K[@Value = \"K1\"]", true, "K[K2](Röntgen[P3])"},
        {"*/*[@Value = \"P9\"]", true, "Eins[K1](a[P1] -b[P2]) K[K2](Röntgen[P3])"},
        {"*/*[@Value = ", false, "Eins[K1](a[P1] -b[P2]) K[K2](Röntgen[P3])"},
    };
    j3test::GuiApplication::Instance();
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.path);
        QTreeView view;
        CWPFVKLTreeView tree;
        ASSERT_TRUE(tree.Attach(&view));
        ASSERT_TRUE(tree.BindXML(Document, "Alle", "."));
        const QModelIndex roentgen = view.model()->index(0, 0, view.model()->index(1, 0));
        view.selectionModel()->select(roentgen, QItemSelectionModel::ClearAndSelect);
        EXPECT_EQ(tree.RemoveXMLNode(c.path), c.valid);
        EXPECT_EQ(Shown(*view.model()), c.shown);
        EXPECT_EQ(tree.GetSelectedValue(), "P3");
    }
}

} // namespace
