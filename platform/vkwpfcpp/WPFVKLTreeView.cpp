#include "vkwpfcpp/WPFVKLTreeView.h"

#include "vkwpfcpp/WPFDoubleClickWatch.h"
#include "vkwpfcpp/WPFEventFilter.h"
#include "vkwpfcpp/WPFKeyEvent.h"
#include "vkwpfcpp/WPFXmlTreeModel.h"

#include <QKeyEvent>
#include <QTreeView>

CWPFVKLTreeView::CWPFVKLTreeView() : m_model(std::make_unique<CWPFXmlTreeModel>())
{
}

CWPFVKLTreeView::~CWPFVKLTreeView()
{
    // The view must not outlive its model while it still shows it.
    if (QTreeView* view = View())
        view->setModel(nullptr);
}

bool CWPFVKLTreeView::BindXML(const CString& document, const CString& rootName, const CString& itemPath)
{
    return m_model->Bind(document, rootName, itemPath);
}

CString CWPFVKLTreeView::GetSelectedValue() const
{
    QTreeView* view = View();
    if (!view || !view->selectionModel())
        return CString();
    const QModelIndexList chosen = view->selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? CString() : m_model->ValueOf(chosen.first());
}

bool CWPFVKLTreeView::RemoveXMLNode(const CString& path)
{
    return m_model->RemoveNodes(path) >= 0;
}

void CWPFVKLTreeView::DoAddOnMouseDoubleClick(CWPFEventHandlerOf<CWPFMouseButtonEvent>* handler)
{
    m_onMouseDoubleClick.Add(handler);
}

void CWPFVKLTreeView::DoAddOnKeyDown(CWPFEventHandlerOf<CWPFKeyEvent>* handler)
{
    m_onKeyDown.Add(handler);
}

bool CWPFVKLTreeView::CanAttach(QObject* element) const
{
    return qobject_cast<QTreeView*>(element) != nullptr;
}

void CWPFVKLTreeView::OnAttached()
{
    QTreeView* view = View();
    view->setModel(m_model.get());
    view->setHeaderHidden(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click starts something; it must not also fold the row.
    view->setExpandsOnDoubleClick(false);
    CWPFDoubleClickWatch::Install(view, this, m_onMouseDoubleClick, EventContext());
    new CWPFEventFilter(
        view,
        [this](QEvent* event) {
            if (event->type() != QEvent::KeyPress)
                return false;
            const auto* key = static_cast<QKeyEvent*>(event);
            CWPFKeyEvent keyEvent(this, key->key(), static_cast<int>(key->modifiers().toInt()));
            m_onKeyDown.Raise(keyEvent);
            return keyEvent.GetHandled();
        },
        EventContext());
}

QTreeView* CWPFVKLTreeView::View() const
{
    return qobject_cast<QTreeView*>(GetElement());
}
