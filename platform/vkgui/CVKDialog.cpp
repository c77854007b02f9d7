#include "vkgui/CVKDialog.h"

#include "vkbasis/CVKSysBase.h"
#include "vkgui/VKHotkey.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

CVKDialog::CSpeedBtn::CSpeedBtn(unsigned int command, QPushButton* button) : m_command(command), m_pButton(button)
{
}

void CVKDialog::CSpeedBtn::SetEnabled(int enabled)
{
    m_pButton->setEnabled(enabled != 0);
}

bool CVKDialog::CSpeedBtn::IsEnabled() const
{
    return m_pButton->isEnabled();
}

CVKDialog::CVKDialog(QWidget* parent, unsigned int acceleratorKind)
    : m_nAcceleratorKind(acceleratorKind), m_window(std::make_unique<QDialog>(parent))
{
    auto* hotkey = new QShortcut(QKeySequence(kVKHotkey), m_window.get());
    QObject::connect(hotkey, &QShortcut::activated, m_window.get(), [this] { RunHotkey(); });
    auto* layout = new QVBoxLayout(m_window.get());
    m_pButtonRow = new QHBoxLayout;
    layout->addLayout(m_pButtonRow);
    layout->addStretch();
}

CVKDialog::~CVKDialog() = default;

CVKDialog::CSpeedBtn* CVKDialog::AddSpeedBtn(unsigned int command, const CString& text)
{
    auto* button = new QPushButton(QString::fromLatin1(text.GetString()), m_window.get());
    m_pButtonRow->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, m_window.get(), [this, command] { OnCommand(command); });
    auto& slot = m_speedButtons[command];
    slot = std::make_unique<CSpeedBtn>(command, button);
    return slot.get();
}

CVKDialog::CSpeedBtn* CVKDialog::GetSpeedBtn(unsigned int command)
{
    const auto found = m_speedButtons.find(command);
    return found == m_speedButtons.end() ? nullptr : found->second.get();
}

void CVKDialog::SetHelpName(const CString& name)
{
    if (gp_VKSysBase)
        gp_VKSysBase->SetHelpName(this, name);
}

void CVKDialog::LoadAccelerators(unsigned int kind)
{
    if (gp_VKSysBase)
        gp_VKSysBase->LoadAcceleratorsA(this, kind);
    BindAccelerators();
}

void CVKDialog::BindAccelerators()
{
    for (QShortcut* shortcut : m_shortcuts)
        delete shortcut;
    m_shortcuts.clear();
    m_shortcutCommands.clear();
    std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableA(m_hAccel, nullptr, 0)));
    CopyAcceleratorTableA(m_hAccel, entries.data(), static_cast<int>(entries.size()));
    for (const ACCEL& entry : entries) {
        const QKeySequence sequence = AcceleratorKeySequence(entry);
        if (sequence.isEmpty())
            continue;
        auto* shortcut = new QShortcut(sequence, m_window.get());
        const unsigned int command = entry.cmd;
        QObject::connect(shortcut, &QShortcut::activated, m_window.get(), [this, command] { OnCommand(command); });
        m_shortcuts.push_back(shortcut);
        m_shortcutCommands.emplace_back(sequence, command);
    }
}

void CVKDialog::OnCommand(unsigned int command)
{
    m_nLastCommand = command;
    if (command == ID_HELP_COMMAND && gp_VKSysBase)
        gp_VKSysBase->OnCommandHelp(this, command, 0);
}

void CVKDialog::RunHotkey()
{
    if (gp_VKSysBase)
        gp_VKSysBase->OnHotkey(this);
}

int CVKDialog::DoModal()
{
    if (!m_hAccel)
        LoadAccelerators(m_nAcceleratorKind);
    if (gp_VKSysBase)
        gp_VKSysBase->DisableHelpButton(this);
    return m_window->exec();
}
