#include "vkwpfcpp/WPFVKTabControl.h"

#include "msgbox/Boxes.h"
#include "vkwpfcpp/WPFDialog.h"
#include "vkwpfcpp/WPFFocusChain.h"
#include "vkwpfcpp/WPFMarkup.h"
#include "vkwpfcpp/WPFText.h"

#include <QDialog>
#include <QLayout>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

CWPFVKTabControl::CWPFVKTabControl() = default;

CWPFVKTabControl::~CWPFVKTabControl() = default;

void CWPFVKTabControl::SetScale(double factor)
{
    QTabWidget* tabs = Tabs();
    if (!tabs || !(factor > 0) || std::isinf(factor))
        return;
    QFont font = tabs->font();
    if (m_dBaseFontSize <= 0)
        m_dBaseFontSize = font.pointSizeF();
    font.setPointSizeF(m_dBaseFontSize * factor);
    tabs->setFont(font);
}

bool CWPFVKTabControl::Create(CWPFWndBase* parent)
{
    QWidget* host = parent ? parent->GetWidget() : nullptr;
    QTabWidget* tabs = Tabs();
    if (!host || !tabs)
        return false;
    QLayout* layout = host->layout();
    if (!layout) {
        layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(tabs);
    CWPFFocusChain::PlaceBefore(*host, *tabs);
    tabs->show();
    return true;
}

void CWPFVKTabControl::Destroy()
{
    DisposeElement(Tabs());
}

bool CWPFVKTabControl::Load(CWPFDialog* owner, const CString& key, const CString& assembly)
{
    QWidget* window = owner ? owner->GetWindow() : nullptr;
    QString error;
    QWidget* root = CWPFMarkup::Load(key, assembly, window, error);
    if (root && !qobject_cast<QTabWidget*>(root)) {
        error = QStringLiteral("Die Dialogbeschreibung \"%1\" enth\u00E4lt kein Registerelement.")
                    .arg(CWPFText::ToQString(key));
        delete root;
        root = nullptr;
    }
    if (!root) {
        HaltE("Programmfehler", CWPFText::FromQString(error), window);
        return false;
    }
    root->hide();
    return AttachCreated(root);
}

int CWPFVKTabControl::Add(const CString& header, CWPFWndBase* element)
{
    QTabWidget* tabs = Tabs();
    QWidget* page = element ? element->GetWidget() : nullptr;
    if (!tabs || !page)
        return -1;
    // The page is read out by its tab's header.
    page->setAccessibleName(CWPFText::ToQString(header));
    return tabs->addTab(page, CWPFText::ToQString(header));
}

int CWPFVKTabControl::GetSelectedIndex() const
{
    QTabWidget* tabs = Tabs();
    return tabs ? tabs->currentIndex() : -1;
}

void CWPFVKTabControl::SetSelectedIndex(int index)
{
    if (QTabWidget* tabs = Tabs())
        tabs->setCurrentIndex(index);
}

int CWPFVKTabControl::GetTabCount() const
{
    QTabWidget* tabs = Tabs();
    return tabs ? tabs->count() : 0;
}

CString CWPFVKTabControl::GetTabHeader(int index) const
{
    QTabWidget* tabs = Tabs();
    return tabs ? CWPFText::FromQString(tabs->tabText(index)) : CString();
}

void CWPFVKTabControl::SetMinHeight(double height)
{
    if (QTabWidget* tabs = Tabs())
        tabs->setMinimumHeight(std::isnan(height) || height < 0 ? 0 : static_cast<int>(std::lround(height)));
}

bool CWPFVKTabControl::CanAttach(QObject* element) const
{
    return qobject_cast<QTabWidget*>(element) != nullptr;
}

QTabWidget* CWPFVKTabControl::Tabs() const
{
    return qobject_cast<QTabWidget*>(GetElement());
}
