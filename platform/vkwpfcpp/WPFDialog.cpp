#include "vkwpfcpp/WPFDialog.h"

#include "msgbox/Boxes.h"
#include "msgbox/ModalRun.h"
#include "vkbasis/CVKSysBase.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFDialogWindow.h"
#include "vkwpfcpp/WPFEventHandler.h"
#include "vkwpfcpp/WPFFocusChain.h"
#include "vkwpfcpp/WPFMarkup.h"
#include "vkwpfcpp/WPFPostItStrip.h"
#include "vkwpfcpp/WPFText.h"
#include "winpath/AnsiLiteral.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace {

struct SFrameButton {
    int buttonClass;
    const char* text; // Windows-1252
};

// The frame's buttons in the order they stand, left to right.
constexpr std::array<SFrameButton, 7> kFrameButtons{{
    {VKButtonSearch, "Suchen"},
    {VKButtonPrint, "Drucken"},
    {VKButtonZoom, "Anzeigen"},
    {VKButtonSelect, "Auswählen"_ansi},
    {VKButtonOK, "OK"},
    {VKButtonCancel, "Abbrechen"},
    {VKButtonHelp, "Hilfe"},
}};

const SFrameButton* FindFrameButton(int buttonClass)
{
    const auto found = std::find_if(kFrameButtons.begin(), kFrameButtons.end(),
                                    [&](const SFrameButton& button) { return button.buttonClass == buttonClass; });
    return found == kFrameButtons.end() ? nullptr : &*found;
}

QString FrameButtonName(int buttonClass)
{
    return QStringLiteral("VKFRAMEBUTTON_%1").arg(buttonClass);
}

// The classes the markup asks for in its root's "vkButtons" property;
// OK, Abbrechen and Hilfe when it has none.
std::vector<int> StartButtonClasses(const QWidget& root)
{
    const QVariant property = root.property("vkButtons");
    if (!property.isValid())
        return {VKButtonOK, VKButtonCancel, VKButtonHelp};
    std::vector<int> classes;
    for (const QString& part : property.toString().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool isNumber = false;
        const int buttonClass = part.trimmed().toInt(&isNumber);
        if (isNumber)
            classes.push_back(buttonClass);
    }
    return classes;
}

// A patient's emoji are a sign or two beside the title, not a text.
constexpr int kEmojiLimit = 16;

// An emoji is stored in 8-bit text, which cannot hold it, as its code point
// "U+1F9B7"; any other text shows as it is, cut to the emoji's room.
QString EmojiPart(const CString& text)
{
    QString part = CWPFText::Bounded(CWPFText::ToQString(text).trimmed(), kEmojiLimit);
    bool isNumber = false;
    const uint codePoint = part.startsWith(QLatin1String("U+")) ? part.mid(2).toUInt(&isNumber, 16) : 0;
    if (!isNumber || codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return part;
    const char32_t character = codePoint;
    return QString::fromUcs4(&character, 1);
}

QString EmojiText(const CString& first, const CString& second)
{
    return (EmojiPart(first) + QLatin1Char(' ') + EmojiPart(second)).trimmed();
}

} // namespace

const CRuntimeClass CWPFDialog::classCWPFDialog{"CWPFDialog", nullptr};

CWPFDialog::CWPFDialog(const CString& markupKey, const CString& resourceAssembly, QWidget* parent)
    : m_strMarkupKey(markupKey), m_strResourceAssembly(resourceAssembly), m_pParent(parent)
{
}

CWPFDialog::~CWPFDialog()
{
    delete m_window.data();
}

QWidget* CWPFDialog::GetParentWindow() const
{
    return m_pParent.data();
}

int CWPFDialog::DoModal()
{
    if (m_bRunning)
        return -1;
    delete m_window.data();
    m_nEndCode = 0;
    m_bEndRequested = false;
    m_bContentRendered = false;
    if (!BuildWindow())
        return -1;
    m_bRunning = true;
    CWPFEventHandler::RunGuarded([this] { OnInitDialog(); });
    if (gp_VKSysBase)
        CWPFEventHandler::RunGuarded([this] { gp_VKSysBase->DisableHelpButton(this); });
    if (!m_bEndRequested)
        CWPFEventHandler::RunGuarded([this] { AfterInitDialog(); });
    if (!m_bEndRequested || !FinishEnd()) {
        ApplyStartupGeometry();
        CModalRun::Exec(*m_window);
    }
    m_bRunning = false;
    return m_nEndCode;
}

void CWPFDialog::EndDialog(int code)
{
    m_nEndCode = code;
    if (m_bClosing)
        return;
    m_bEndRequested = true;
    // Before the window shows, DoModal finishes the end itself.
    if (!m_window || !m_window->isVisible())
        return;
    if (FinishEnd())
        m_window->CloseAgreed(code);
}

bool CWPFDialog::FinishEnd()
{
    bool cancel = false;
    m_bClosing = true;
    CWPFEventHandler::RunGuarded([&] { OnClosing(cancel); });
    m_bClosing = false;
    if (cancel)
        m_bEndRequested = false;
    return !cancel;
}

CWPFWndBase* CWPFDialog::OnInitDialog()
{
    return &m_root;
}

void CWPFDialog::AfterInitDialog()
{
}

void CWPFDialog::OnContentRendered()
{
}

void CWPFDialog::OnClosing(bool&)
{
}

void CWPFDialog::OnExit()
{
    EndDialog(2);
}

void CWPFDialog::OnSaveAndExit()
{
    EndDialog(1);
}

void CWPFDialog::OnHelp()
{
    if (gp_VKSysBase)
        gp_VKSysBase->OnCommandHelp(this, 0, 0);
}

void CWPFDialog::RunHotkey()
{
    if (gp_VKSysBase)
        CWPFEventHandler::RunGuarded([this] { gp_VKSysBase->OnHotkey(this); });
}

void CWPFDialog::OnSelect()
{
    OnSaveAndExit();
}

void CWPFDialog::OnPrint()
{
}

void CWPFDialog::OnZoom()
{
}

void CWPFDialog::OnSearch()
{
}

void CWPFDialog::RunFrameButton(int buttonClass)
{
    CWPFEventHandler::RunGuarded([&] {
        switch (buttonClass) {
        case VKButtonOK:
            OnSaveAndExit();
            break;
        case VKButtonCancel:
            OnExit();
            break;
        case VKButtonHelp:
            OnHelp();
            break;
        case VKButtonSelect:
            OnSelect();
            break;
        case VKButtonPrint:
            OnPrint();
            break;
        case VKButtonZoom:
            OnZoom();
            break;
        case VKButtonSearch:
            OnSearch();
            break;
        default:
            break;
        }
    });
}

void CWPFDialog::RequestCancel()
{
    RunFrameButton(VKButtonCancel);
}

void CWPFDialog::ContentRendered()
{
    if (m_bContentRendered || !m_window || !m_window->isVisible())
        return;
    m_bContentRendered = true;
    CWPFEventHandler::RunGuarded([this] { OnContentRendered(); });
}

void CWPFDialog::SetTitle(const CString& title)
{
    m_strTitle = title;
    if (m_window)
        m_window->setWindowTitle(CWPFText::ToQString(title));
}

CString CWPFDialog::GetTitle() const
{
    return m_window ? CWPFText::FromQString(m_window->windowTitle()) : m_strTitle;
}

void CWPFDialog::SetHelpName(const CString& name)
{
    m_strHelpName = name;
    if (gp_VKSysBase)
        gp_VKSysBase->SetHelpName(this, name);
}

void CWPFDialog::SetEmoji(const CString& first, const CString& second)
{
    m_strEmoji1 = first;
    m_strEmoji2 = second;
    if (m_emojiLabel)
        m_emojiLabel->setText(EmojiText(first, second));
}

void CWPFDialog::GetEmoji(CString& first, CString& second) const
{
    first = m_strEmoji1;
    second = m_strEmoji2;
}

void CWPFDialog::SetWindowStartupLocation(int location)
{
    m_nStartupLocation = location;
}

void CWPFDialog::SetSizeToContent(int mode)
{
    m_nSizeToContent = mode;
}

bool CWPFDialog::GetWindowPlacement(WINDOWPLACEMENT* placement) const
{
    if (!placement || placement->length != sizeof(WINDOWPLACEMENT) || !m_window)
        return false;
    const bool maximized = m_window->isMaximized();
    const QRect normal = maximized ? m_window->normalGeometry() : m_window->geometry();
    placement->flags = 0;
    placement->showCmd = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement->ptMinPosition = {-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition = {normal.left(), normal.top(), normal.left() + normal.width(),
                                   normal.top() + normal.height()};
    return true;
}

bool CWPFDialog::SetWindowPlacement(const WINDOWPLACEMENT* placement)
{
    if (!placement || placement->length != sizeof(WINDOWPLACEMENT) || !m_window)
        return false;
    const RECT& rect = placement->rcNormalPosition;
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    m_window->setWindowState(Qt::WindowNoState);
    m_window->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (placement->showCmd == SW_SHOWMAXIMIZED)
        m_window->setWindowState(Qt::WindowMaximized);
    return true;
}

bool CWPFDialog::SetIsEnabled(int buttonClass, bool enabled)
{
    QPushButton* button = GetFrameButton(buttonClass);
    if (!button)
        return false;
    button->setEnabled(enabled);
    return true;
}

bool CWPFDialog::ShowAndEnable(int buttonClass, bool show)
{
    QPushButton* button = GetFrameButton(buttonClass);
    if (!button && show)
        button = AddFrameButton(buttonClass);
    if (!button)
        return !show && m_window;
    button->setVisible(show);
    button->setEnabled(show);
    return true;
}

void CWPFDialog::OpenVKPostIts(const std::vector<CString>& texts, bool patientNotes, bool readOnly)
{
    if (m_pPostIts && m_window) {
        m_pPostIts->Open(texts, patientNotes, readOnly);
        return;
    }
    m_pendingNotes = texts;
    m_bNotesPending = true;
    m_bPendingPatientNotes = patientNotes;
    m_bPendingReadOnly = readOnly;
}

void CWPFDialog::CloseVKPostIts(std::vector<CString>& texts)
{
    if (m_bNotesPending) {
        texts = std::move(m_pendingNotes);
        std::erase_if(texts, [](const CString& text) { return text.IsEmpty(); });
        m_pendingNotes.clear();
        m_bNotesPending = false;
        return;
    }
    texts = m_pPostIts && m_window ? m_pPostIts->Close() : std::vector<CString>();
}

QDialog* CWPFDialog::GetWindow() const
{
    return m_window.data();
}

QPushButton* CWPFDialog::GetFrameButton(int buttonClass) const
{
    return m_window ? m_window->findChild<QPushButton*>(FrameButtonName(buttonClass)) : nullptr;
}

QObject* CWPFDialog::FindElement(const CString& name) const
{
    if (!m_window || name.IsEmpty())
        return nullptr;
    return m_window->findChild<QObject*>(CWPFText::ToQString(name));
}

bool CWPFDialog::BuildWindow()
{
    m_window = new CWPFDialogWindow(*this, m_pParent);
    m_window->setObjectName(QStringLiteral("VKDIALOG"));
    // Made before the markup's elements, the eInfo strip at the top comes
    // first when Tab walks the dialog.
    auto* postIts = new CWPFPostItStrip(m_window);
    QString error;
    QWidget* root = CWPFMarkup::Load(m_strMarkupKey, m_strResourceAssembly, m_window, error);
    if (!root) {
        delete m_window.data();
        HaltE("Dialog kann nicht geöffnet werden"_ansi, CWPFText::FromQString(error), m_pParent);
        return false;
    }
    // The markup's root may be a window of its own; here it is the content.
    root->setWindowFlags(Qt::Widget);
    m_markupRoot = root;
    m_root.Attach(root);

    auto* layout = new QVBoxLayout(m_window);
    m_pPostIts = postIts;
    layout->addWidget(m_pPostIts);
    layout->addWidget(root, 1);

    auto* frame = new QWidget(m_window);
    frame->setObjectName(QStringLiteral("VKFRAME"));
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->setContentsMargins(0, 6, 0, 0);
    m_emojiLabel = new QLabel(EmojiText(m_strEmoji1, m_strEmoji2), frame);
    m_emojiLabel->setObjectName(QStringLiteral("VKEMOJI"));
    frameLayout->addWidget(m_emojiLabel);
    frameLayout->addStretch(1);
    layout->addWidget(frame);
    for (int buttonClass : StartButtonClasses(*root))
        AddFrameButton(buttonClass);

    // Return goes to OK, never to whichever button had the focus last: the
    // markup's own buttons act on a click only.
    for (QPushButton* button : root->findChildren<QPushButton*>())
        button->setAutoDefault(false);
    // The dialog opens with the focus on its content, not on the eInfo strip
    // above it; OnInitDialog may choose another element.
    for (QWidget* next = root->nextInFocusChain(); root->isAncestorOf(next); next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && !next->focusProxy() && next->isVisibleTo(root)) {
            next->setFocus(Qt::OtherFocusReason);
            break;
        }

    m_window->setWindowTitle(m_strTitle.IsEmpty() ? root->windowTitle() : CWPFText::ToQString(m_strTitle));
    layout->activate();
    m_window->resize(
        m_window->sizeHint().expandedTo(root->size() + QSize(0, frame->sizeHint().height() + layout->spacing()) +
                                        QSize(layout->contentsMargins().left() + layout->contentsMargins().right(),
                                              layout->contentsMargins().top() + layout->contentsMargins().bottom())));
    if (m_bNotesPending) {
        m_bNotesPending = false;
        m_pPostIts->Open(m_pendingNotes, m_bPendingPatientNotes, m_bPendingReadOnly);
        m_pendingNotes.clear();
    }
    return true;
}

QWidget* CWPFDialog::Frame() const
{
    return m_window ? m_window->findChild<QWidget*>(QStringLiteral("VKFRAME")) : nullptr;
}

QPushButton* CWPFDialog::AddFrameButton(int buttonClass)
{
    const SFrameButton* known = FindFrameButton(buttonClass);
    QWidget* frame = Frame();
    if (!known || !frame || GetFrameButton(buttonClass))
        return GetFrameButton(buttonClass);
    auto* button = new QPushButton(CWPFText::ToQString(known->text), frame);
    button->setObjectName(FrameButtonName(buttonClass));
    button->setAutoDefault(false);
    button->setDefault(buttonClass == VKButtonOK);
    QObject::connect(button, &QPushButton::clicked, m_window, [this, buttonClass] { RunFrameButton(buttonClass); });
    // Keep the frame's order: after the emoji and the stretch, before the
    // first button that stands further right.
    auto* frameLayout = static_cast<QHBoxLayout*>(frame->layout());
    const std::ptrdiff_t rank = known - kFrameButtons.data();
    int position = frameLayout->count();
    for (int i = 2; i < frameLayout->count(); ++i) {
        const QWidget* other = frameLayout->itemAt(i)->widget();
        const SFrameButton* otherKnown = FindFrameButton(other->objectName().mid(14).toInt());
        if (otherKnown && otherKnown - kFrameButtons.data() > rank) {
            position = i;
            break;
        }
    }
    frameLayout->insertWidget(position, button);
    if (position + 1 < frameLayout->count())
        CWPFFocusChain::PlaceBefore(*frameLayout->itemAt(position + 1)->widget(), *button);
    return button;
}

void CWPFDialog::ApplyStartupGeometry()
{
    switch (m_nSizeToContent) {
    case VKSizeWidth:
        m_window->resize(m_window->sizeHint().width(), m_window->height());
        break;
    case VKSizeHeight:
        m_window->resize(m_window->width(), m_window->sizeHint().height());
        break;
    case VKSizeWidthAndHeight:
        m_window->resize(m_window->sizeHint());
        break;
    default:
        break;
    }
    if (m_nStartupLocation == VKStartupManual)
        return;
    QWidget* owner = m_pParent ? m_pParent->window() : nullptr;
    QRect area;
    if (m_nStartupLocation == VKStartupCenterOwner && owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect placed(QPoint(), m_window->size());
        placed.moveCenter(area.center());
        m_window->move(placed.topLeft());
    }
}
